#pragma once
// The text boxes of a record: a single-line box that reports getting the focus and can keep the
// selection its focus rule made, and the notes box that holds at most 25,000 characters.
#include <QLineEdit>
#include <QTextEdit>

#include "store/registers.h"

class FieldBox : public QLineEdit {
    Q_OBJECT
  public:
    FieldBox(const BoxDef& def, QWidget* parent);
    const BoxDef& def() const { return def_; }

  signals:
    // Raised after the box has taken the focus; the screen's rule may select, move the focus on.
    void GotFocus();

  protected:
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    BoxDef def_;
    bool keepSelection_ = false;  // the click that gave the focus must not undo the selection
};

class NotesBox : public QTextEdit {
    Q_OBJECT
  public:
    NotesBox(int maxLength, QWidget* parent);
    int maxLength() const { return max_; }
    // The text as typed: unlike toPlainText(), non-breaking spaces stay what they are.
    QString text() const;
    // Sets the text, cut to the limit.
    void setText(const QString& t);

  signals:
    // The text changed (after the limit was applied).
    void Change();
    void GotFocus();

  protected:
    void focusInEvent(QFocusEvent* e) override;

  private:
    void enforce();
    int max_;
    bool enforcing_ = false;
};
