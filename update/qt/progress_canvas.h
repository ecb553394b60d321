// The canvas 画板1 of the update window: lines of text written from a write position,
// scrolling up when a line does not fit, over a filled progress bar.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace velmora {

class ProgressCanvas final : public QWidget {
    Q_OBJECT

public:
    static constexpr QRgb BarColour = 0xFF7FB2E5;

    explicit ProgressCanvas(QWidget* parent = nullptr);

    void SetWritePosition(int x, int y);
    // Writes line at the write position and moves it down one line; when the line does not
    // fit below, the text scrolls up first.
    void WriteLine(QString const& line);
    // A rectangle whose outline and fill are both the bar's colour; right and bottom are
    // outside it, as with the system's rectangles.
    void FillRectangle(int left, int top, int right, int bottom);

    QString LastLine() const { return m_last_line; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The bar lies below the text: the percentage stays readable where the bar reaches it.
    QPixmap m_bar_layer;
    QPixmap m_text_layer;
    int m_write_x {0};
    int m_write_y {0};
    QString m_last_line;
};

}
