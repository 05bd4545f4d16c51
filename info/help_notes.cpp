#include "info/help_notes.h"

namespace help {

HelpShot shotOf(int page) {
    switch (page) {
        case 58:  // the first screen after the splash, with the panel of tabs beside it
            return {15,
                    true,
                    {{"TabNivel1#0", "Registros I"},
                     {"TabNivel1#1", "Registros II"},
                     {"TabNivel1#2", "Informe"},
                     {"TabNivel1#3", "Ayuda"},
                     {"TabNivel1#4", "Acerca de..."},
                     {"Imagen", "Imagen (.bmp .gif .jpg)"},
                     {"TxtNombre", "Campos de texto"},
                     {"TxtFecha1", "Fechas"},
                     {"TxtNotas", "Notas (Ctrl+V)"}}};
        case 59:
            return {1,
                    false,
                    {{"TxtNombre", "Campos de texto"},
                     {"TxtApellidos", "Identificador (blanco)"},
                     {"TxtFecha1", "Fechas"},
                     {"Imagen", "Imagen: doble click"},
                     {"BtnImagenEliminar", "Eliminar la imagen"},
                     {"TxtNotas", "Notas: Ctrl+V"},
                     {"BtnGuardar", "Guardar"},
                     {"BtnDeshacer", "Deshacer"},
                     {"LabNumRegNuevos", "Nuevos"},
                     {"LabNumRegTotal", "Total"}}};
        case 60:
            return {2,
                    false,
                    {{"TxtNombre", "Obra (identificador)"},
                     {"TxtAutor", "Autor (identificador)"},
                     {"TxtMovimiento", "Movimiento"},
                     {"TxtHoras|TxtMinutos", "Duración h-m-s"},
                     {"BtnAMList", "Añadir / Modificar"},
                     {"MSFlexGrid1", "Movimientos: doble click"},
                     {"TxtTotal", "Duración total"},
                     {"TxtNumeroMovimientos", "Nº de movimientos"},
                     {"LabExpandir", "Ampliar / Reducir"}}};
        case 61:
            return {7,
                    false,
                    {{"LabCompositor", "Traer Compositor"},
                     {"LabObra", "Traer Obra"},
                     {"LabSoporte", "Soporte: identificador"},
                     {"ImagenCompositor", "Doble click: Mostrar-Editar"},
                     {"FlexOrquesta", "Orquestas"},
                     {"FlexDirectores", "Directores"},
                     {"FlexInterpretes", "Intérpretes"},
                     {"TxtNotas", "Notas"},
                     {"BtnGuardar", "Guardar"}}};
        case 62:
            return {8,
                    false,
                    {{"BtnNueva", "Nueva"},
                     {"ComboCampo", "Campo"},
                     {"ComboCriterio", "Criterio"},
                     {"TxtValFiltro", "Valor del Filtro"},
                     {"BtnAnadir", "Añadir"},
                     {"BtnY", "Y"},
                     {"BtnO", "O"},
                     {"ListFiltros", "Filtros"},
                     {"ComboCampoOrden", "Orden: campo"},
                     {"ComboCriterioOrden", "Ascendente / Descendente / Histórico"},
                     {"BtnAceptar", "Aceptar"},
                     {"BtnTodo", "Todo"}}};
        case 63:
            return {15,
                    false,
                    {{"HScroll", "Anterior - Siguiente"},
                     {"TxtOrden", "Nº de Orden"},
                     {"LabNumRegSeleccion", "Seleccionados"},
                     {"LabNumFiltros", "Filtros"},
                     {"BtnReducirAmpliar", "Reducir / Ampliar"},
                     {"Imagen", "Imagen"},
                     {"TxtApellidos", "Identificador"}}};
        case 64:
            return {15,
                    false,
                    {{"BtnModificar", "Modificar"},
                     {"BtnEliminar", "Eliminar"},
                     {"BtnGuardar", "Aceptar"},
                     {"BtnDeshacer", "Cancelar"},
                     {"LabNumRegEliminados", "Eliminados"},
                     {"Imagen", "Imagen: doble click"},
                     {"TxtApellidos", "No borrar el identificador"},
                     {"TxtNotas", "Notas: Ctrl+V"}}};
        case 65:
            return {19,
                    false,
                    {{"MSFlexGrid1", "Conjunto de intérpretes"},
                     {"BtnAñadirGrupo", "Añadir al conjunto"},
                     {"BtnEliminarGrupo", "Eliminar del conjunto"},
                     {"LabNumeroInterpretes", "Nº de intérpretes"},
                     {"HScroll", "Anterior - Siguiente"},
                     {"BtnModificar", "Modificar"}}};
        case 66:
            return {22,
                    false,
                    {{"List", "Escoger Campos"},
                     {"BtnListar", "Listar"},
                     {"Tabla", "Listado"},
                     {"Label16", "Imágenes"},
                     {"VScroll", "Página a página"},
                     {"HScroll", "Expandir Filas"},
                     {"BtnAImagen", "Zoom 5"},
                     {"LabZoom", "Zoom"},
                     {"ProgressBar", "Proceso"}}};
        case 67:
            return {22,
                    false,
                    {{"List", "Escoger Campos"},
                     {"BtnListar", "Listar antes de imprimir"},
                     {"BtnImprimir", "Imprimir"},
                     {"Tabla", "Listado"}}};
        default:
            return {};
    }
}

}  // namespace help
