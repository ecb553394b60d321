#include "app/qt/hyperlink_label.h"

#include <QMouseEvent>

namespace velmora {

HyperlinkLabel::HyperlinkLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont link_font = font();
    link_font.setUnderline(true);
    setFont(link_font);
    QPalette link_palette = palette();
    link_palette.setColor(QPalette::WindowText, link_palette.color(QPalette::Link));
    setPalette(link_palette);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit Pressed();
        return;
    }
    QLabel::mousePressEvent(event);
}

}
