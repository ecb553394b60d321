#include "update/qt/progress_canvas.h"

#include <QPainter>
#include <QResizeEvent>

namespace velmora {

ProgressCanvas::ProgressCanvas(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressCanvas::resizeEvent(QResizeEvent* event)
{
    QPixmap bar(event->size());
    bar.fill(palette().color(QPalette::Base));
    QPixmap text(event->size());
    text.fill(Qt::transparent);
    if (!m_bar_layer.isNull()) {
        QPainter(&bar).drawPixmap(0, 0, m_bar_layer);
        QPainter(&text).drawPixmap(0, 0, m_text_layer);
    }
    m_bar_layer = bar;
    m_text_layer = text;
    QWidget::resizeEvent(event);
}

void ProgressCanvas::SetWritePosition(int x, int y)
{
    m_write_x = x;
    m_write_y = y;
}

void ProgressCanvas::WriteLine(QString const& line)
{
    int const line_height = fontMetrics().height();
    int const overflow = m_write_y + line_height - height();
    if (overflow > 0) {
        QPixmap scrolled(m_text_layer.size());
        scrolled.fill(Qt::transparent);
        QPainter(&scrolled).drawPixmap(0, -overflow, m_text_layer);
        m_text_layer = scrolled;
        m_write_y -= overflow;
    }
    QPainter painter(&m_text_layer);
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    painter.drawText(
        QRect(m_write_x, m_write_y, width() - m_write_x, line_height), Qt::AlignLeft | Qt::AlignTop, line);
    m_write_y += line_height;
    m_last_line = line;
    update();
}

void ProgressCanvas::FillRectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    QPainter(&m_bar_layer)
        .fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), QColor::fromRgb(BarColour));
    update();
}

void ProgressCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_bar_layer);
    painter.drawPixmap(0, 0, m_text_layer);
}

}
