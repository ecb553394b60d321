// The picture boxes: the four credit level families of the seller-credit panel (图片框1 to
// 图片框4), and the busy animation of the hint panel (图片框5). All drawn here.
#pragma once

#include <QWidget>

#include <array>

namespace velmora {

enum class Picture {
    Hearts, // levels 1 to 5
    BlueDiamonds, // levels 6 to 10
    Crowns, // levels 11 to 15
    SupremeCrowns, // levels 16 to 20
    Busy, // turns while a run is active
};

class PictureBox final : public QWidget {
    Q_OBJECT

public:
    PictureBox(Picture picture, QWidget* parent);

    Picture Shows() const { return m_picture; }

    // For a level family: the vertical centre of each of its five rows (one to five
    // symbols), so that each row stands beside its check box.
    void SetRowCentres(std::array<int, 5> centres) { m_row_centres = centres; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void PaintLevels(QPainter& painter);
    void PaintBusy(QPainter& painter);

    Picture m_picture;
    std::array<int, 5> m_row_centres {12, 37, 62, 87, 112};
    int m_busy_step {0};
    int m_timer_id {0};
};

}
