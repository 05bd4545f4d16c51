#pragma once
// The report screen FormInforme (screen 57), "Informe General de Registros": for every register
// its records, selection, filters, current order number, records deleted and added in this run
// and what its listing covers, with the column sums and the sums of records by fields. Value
// labels are named "Lab" + the register's report prefix + the column ("LabComNumRegTotal",
// "LabObraOrden", "LabSumaNumCampos"); the fixed field counts are "Lab" + prefix + "CamposTotal"
// and "CamposSeleccion"; the last line is LabRxCNumRegTotal, LabRxCNumRegSeleccion and
// LabRxCNumRegSeleccion1. Filled each time the screen is loaded.
class QWidget;
class Screen;
struct Context;

Screen* createReportScreen(Context& ctx, QWidget* parent);
