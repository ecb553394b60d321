#include "app/qt/picture_box.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

#include <cmath>

namespace velmora {

namespace {

constexpr int SymbolSize = 15;
constexpr int SymbolGap = 2;
constexpr int BusySpokes = 12;
constexpr int BusyStepMilliseconds = 80;

QPainterPath HeartPath(QRectF box)
{
    double const x = box.left(), y = box.top(), w = box.width(), h = box.height();
    QPainterPath path;
    path.moveTo(x + w / 2, y + h);
    path.cubicTo(x - w * 0.15, y + h * 0.55, x + w * 0.05, y - h * 0.15, x + w / 2, y + h * 0.25);
    path.cubicTo(x + w * 0.95, y - h * 0.15, x + w * 1.15, y + h * 0.55, x + w / 2, y + h);
    return path;
}

QPainterPath DiamondPath(QRectF box)
{
    double const x = box.left(), y = box.top(), w = box.width(), h = box.height();
    QPainterPath path;
    path.moveTo(x + w * 0.25, y + h * 0.1);
    path.lineTo(x + w * 0.75, y + h * 0.1);
    path.lineTo(x + w, y + h * 0.38);
    path.lineTo(x + w / 2, y + h);
    path.lineTo(x, y + h * 0.38);
    path.closeSubpath();
    return path;
}

QPainterPath CrownPath(QRectF box)
{
    double const x = box.left(), y = box.top(), w = box.width(), h = box.height();
    QPainterPath path;
    path.moveTo(x, y + h * 0.25);
    path.lineTo(x + w * 0.3, y + h * 0.55);
    path.lineTo(x + w / 2, y + h * 0.1);
    path.lineTo(x + w * 0.7, y + h * 0.55);
    path.lineTo(x + w, y + h * 0.25);
    path.lineTo(x + w * 0.88, y + h * 0.8);
    path.lineTo(x + w * 0.12, y + h * 0.8);
    path.closeSubpath();
    path.addRect(QRectF(x + w * 0.12, y + h * 0.85, w * 0.76, h * 0.15));
    return path;
}

void PaintSymbol(QPainter& painter, Picture picture, QRectF box)
{
    switch (picture) {
    case Picture::Hearts:
        painter.setPen(QPen(QColor(0xB0, 0x10, 0x18), 1));
        painter.setBrush(QColor(0xE8, 0x2E, 0x36));
        painter.drawPath(HeartPath(box));
        break;
    case Picture::BlueDiamonds: {
        painter.setPen(QPen(QColor(0x12, 0x4E, 0xA8), 1));
        painter.setBrush(QColor(0x3C, 0x8D, 0xF0));
        painter.drawPath(DiamondPath(box));
        // The facets.
        double const x = box.left(), y = box.top(), w = box.width(), h = box.height();
        painter.setPen(QPen(QColor(0xD8, 0xEA, 0xFF), 1));
        painter.drawLine(QPointF(x + 1, y + h * 0.38), QPointF(x + w - 1, y + h * 0.38));
        painter.drawLine(QPointF(x + w * 0.35, y + h * 0.38), QPointF(x + w / 2, y + h * 0.92));
        painter.drawLine(QPointF(x + w * 0.65, y + h * 0.38), QPointF(x + w / 2, y + h * 0.92));
        break;
    }
    case Picture::Crowns:
        painter.setPen(QPen(QColor(0x1F, 0x2F, 0x8C), 1));
        painter.setBrush(QColor(0x4A, 0x62, 0xD8));
        painter.drawPath(CrownPath(box));
        break;
    case Picture::SupremeCrowns: {
        painter.setPen(QPen(QColor(0x9A, 0x5B, 0x00), 1));
        painter.setBrush(QColor(0xF5, 0xB3, 0x1B));
        painter.drawPath(CrownPath(box));
        // A jewel in the band marks the highest family.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xD0, 0x1C, 0x2A));
        double const r = box.width() * 0.12;
        painter.drawEllipse(QPointF(box.center().x(), box.top() + box.height() * 0.62), r, r);
        break;
    }
    case Picture::Busy:
        break;
    }
}

}

PictureBox::PictureBox(Picture picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(picture)
{
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_picture == Picture::Busy)
        PaintBusy(painter);
    else
        PaintLevels(painter);
}

void PictureBox::PaintLevels(QPainter& painter)
{
    for (int row = 0; row < 5; ++row) {
        double const top = m_row_centres[static_cast<std::size_t>(row)] - SymbolSize / 2.0;
        for (int symbol = 0; symbol <= row; ++symbol) {
            double const left = 2 + symbol * (SymbolSize + SymbolGap);
            PaintSymbol(painter, m_picture, QRectF(left, top, SymbolSize, SymbolSize));
        }
    }
}

void PictureBox::PaintBusy(QPainter& painter)
{
    double const radius = std::min(width(), height()) / 2.0 - 3;
    painter.translate(width() / 2.0, height() / 2.0);
    for (int spoke = 0; spoke < BusySpokes; ++spoke) {
        // The spoke at the current step is darkest; the ones behind it fade.
        int const age = (m_busy_step - spoke + BusySpokes) % BusySpokes;
        QColor colour(0x2A, 0x6E, 0xD4);
        colour.setAlpha(255 - age * 200 / BusySpokes);
        painter.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
        double const angle = spoke * 2 * M_PI / BusySpokes;
        painter.drawLine(QPointF(std::cos(angle) * radius * 0.5, std::sin(angle) * radius * 0.5),
            QPointF(std::cos(angle) * radius, std::sin(angle) * radius));
    }
}

void PictureBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_picture == Picture::Busy && m_timer_id == 0)
        m_timer_id = startTimer(BusyStepMilliseconds);
}

void PictureBox::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_timer_id != 0) {
        killTimer(m_timer_id);
        m_timer_id = 0;
    }
}

void PictureBox::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer_id)
        return QWidget::timerEvent(event);
    m_busy_step = (m_busy_step + 1) % BusySpokes;
    update();
}

}
