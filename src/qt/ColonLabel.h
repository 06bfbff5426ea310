#pragma once
#include <QWidget>

namespace kelvora::qt {

// The colon between minutes and seconds: an opaque piece of the dark blue
// strip that lies under the fields' edges. Its text takes the palette's colour
// for text on an active caption (highlighted text), looked up at each paint.
class ColonLabel final : public QWidget {
    Q_OBJECT

  public:
    explicit ColonLabel(QWidget* parent);
    QString Text() const;
    QColor TextColour() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kelvora::qt
