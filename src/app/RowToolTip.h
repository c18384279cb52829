#pragma once
// The tool tip of each row of the mapping list: the full name, where the mapping forwards and, while it is
// active, what passes through it. Refreshed at most once a second while it is shown.
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <cstdint>

namespace tarvix {

class TfMain;

// The tip of row `index`, plain text, one item a line; empty when there is no such row.
QString RowToolTipText(TfMain& main, int index);

class TRowToolTip : public QObject {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;

    // Watches the main window's list; owned by the window.
    explicit TRowToolTip(TfMain& main);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(int index);
    void Refresh();

    TfMain& main_;
    QTimer refresh_;
    std::uint64_t rowId_ = 0; // the row whose tip is shown; 0 when none
    QPoint globalPos_;
    QString shown_;
};

} // namespace tarvix
