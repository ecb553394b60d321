// The hyperlink 超级链接框1: a caption drawn as a link that reports the left button's press.
#pragma once

#include <QLabel>

namespace velmora {

class HyperlinkLabel final : public QLabel {
    Q_OBJECT

public:
    explicit HyperlinkLabel(QWidget* parent);

signals:
    void Pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}
