#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QPalette;

namespace kelvora::qt {

// The colon between minutes and seconds: an opaque piece of the dark blue
// strip that the window paints on its own surface, under the fields' edges.
// Having no widget of its own, it has nothing for a screen reader to announce.
class ColonLabel final {
  public:
    ColonLabel();
    QString Text() const;
    QRect Geometry() const;
    QFont Font() const { return font_; }
    // The palette's text colour on an active caption (highlighted text), where
    // it reads on the strip; white otherwise. Looked up at each paint.
    static QColor TextColour(const QPalette& palette);
    void Paint(QPainter& painter, const QPalette& palette) const;

  private:
    QFont font_;
};

}  // namespace kelvora::qt
