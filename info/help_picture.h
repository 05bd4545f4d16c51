#pragma once
// The annotated picture of a help page: a miniature of one of the program's real screens (built,
// drawn off screen and discarded), with frames around the parts the page explains and labels
// joined to them by lines. Parts that the pictured screen does not have are left out, so the
// picture always matches the screen as it is built.
#include <QImage>
#include <QStringList>
#include <QVector>
#include <QWidget>

struct Context;

// A part to point at: a control by object name (alternatives separated by "|"), or one tab of a
// tab strip written "TabNivel1#2"; and the label written beside it.
struct HelpNote {
    const char* target;
    const char* label;
};

struct HelpShot {
    int screen = -1;         // screen number to picture; -1 for none
    bool withPanel = false;  // the navigation panel beside it, as the user sees them together
    QVector<HelpNote> notes;
};

// A part found on the pictured screen, in the miniature's unscaled coordinates.
struct HelpPart {
    QRectF rect;
    QString label;
};

namespace help {

// Renders the shot's screen (and panel) and finds its parts.
QImage renderShot(Context& ctx, const HelpShot& shot, QVector<HelpPart>* parts);
// Lays the miniature out in an area of `size` and draws frames, lines and labels on it.
QImage annotate(const QImage& shot, const QVector<HelpPart>& parts, QSize size);

}  // namespace help

class HelpPicture : public QWidget {
    Q_OBJECT
  public:
    HelpPicture(Context& ctx, HelpShot shot, QWidget* parent);

    // Draws the picture now; done once, after the page is first shown (so that the navigation
    // panel it may show is in its settled state) or when asked.
    void compose();
    bool composed() const { return composed_; }
    const QImage& image() const { return image_; }
    // Labels of the parts that were found and drawn.
    QStringList shownLabels() const;

  protected:
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

  private:
    Context& ctx_;
    HelpShot shot_;
    QVector<HelpPart> parts_;
    QImage image_;
    bool composed_ = false;
    bool pending_ = false;
};
