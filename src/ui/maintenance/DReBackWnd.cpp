#include "ui/maintenance/DReBackWnd.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <cstdio>

#include "maintenance/file_lists.h"
#include "maintenance/messages.h"
#include "ui/maintenance/ProgressNote.h"
#include "ui/maintenance/QtDiskQuestions.h"

namespace rk::ui {
namespace {

namespace mt = maintenance;

constexpr char kGuideTopic[] = "＊．バックアップデータの復帰";

QString u(const char* s) { return QString::fromUtf8(s); }

QColor rgb(uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

}  // namespace

DReBackWnd::DReBackWnd(AppContext& ctx, Dialogs& dialogs, Volumes& volumes, GuideOpener guide, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), volumes_(volumes), guide_(std::move(guide)) {
    setWindowTitle(u(mt::msg::kRestoreTitle));
    setAutoFillBackground(true);
    auto button = [this](Button b, const char* caption, QRect r) {
        buttons_[b] = new QPushButton(u(caption), this);
        buttons_[b]->setGeometry(r);
    };
    button(kHelp, mt::msg::kExplain, QRect(70, 10, 100, 30));
    button(kManagement, mt::msg::kManagementButton, QRect(40, 50, 160, 35));
    button(kArchive, mt::msg::kArchiveButton, QRect(40, 90, 160, 35));
    connect(buttons_[kHelp], &QPushButton::clicked, this, [this] {
        if (guide_) guide_(kGuideTopic);
    });
    connect(buttons_[kManagement], &QPushButton::clicked, this, &DReBackWnd::restoreManagement);
    connect(buttons_[kArchive], &QPushButton::clicked, this, &DReBackWnd::restoreArchive);
    note_ = new QLabel(this);
    note_->setGeometry(20, 360, 460, 60);
    note_->setFrameShape(QFrame::Box);
    note_->setAutoFillBackground(true);
    note_->hide();

    backups_ = mt::automaticBackups(ctx_);
    for (int i = 0; i < mt::kOfferedBackups && i < static_cast<int>(backups_.size()); ++i)
        if (backups_[static_cast<size_t>(i)].exists) rows_.push_back(i);
}

QString DReBackWnd::choose(const QString& initial) {
    if (choose_) return choose_(initial);
    return QFileDialog::getOpenFileName(this, QString(), initial);
}

void DReBackWnd::finished(mt::RestoreEnd end) {
    note_->hide();
    if (end == mt::RestoreEnd::EndProgram && endProgram_) endProgram_();
}

void DReBackWnd::restoreRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    selected_ = row;
    repaint();
    const fs::path archive = backups_[static_cast<size_t>(rows_[static_cast<size_t>(row)])].file;
    finished(mt::restoreAutomatic(ctx_, dialogs_, archive));
}

void DReBackWnd::restoreArchive() {
    const QString initial = QString::fromStdString((ctx_.programFolder() / (mt::yearText(ctx_) + "年dt.*")).string());
    const QString chosen = choose(initial);
    if (chosen.isEmpty()) return;
    ProgressNote progress(dialogs_, note_);
    finished(mt::restoreArchive(ctx_, progress, fs::path(chosen.toStdString())));
}

void DReBackWnd::restoreManagement() {
    const QString chosen = choose(QString::fromStdString((ctx_.programFolder() / "管理ﾃﾞｰﾀ.*").string()));
    if (chosen.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressNote progress(dialogs_, note_);
    QtDiskQuestions disk(this);
    const mt::RestoreEnd end = mt::restoreManagement(ctx_, progress, disk, volumes_, fs::path(chosen.toStdString()));
    QApplication::restoreOverrideCursor();
    finished(end);
}

void DReBackWnd::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const QPoint at = rowPoint(row);
        if (p.x() >= 280 && p.x() < 540 && p.y() >= at.y() && p.y() < at.y() + 20) {
            restoreRow(row);
            return;
        }
    }
}

void DReBackWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(QRect(250, 0, 550, height()), rgb(ctx_.colours[1]));
    p.setPen(Qt::black);
    int y = 175;
    for (const char* line : mt::msg::kRestoreWarning) {
        p.drawText(QRect(10, y, 240, 22), Qt::AlignLeft | Qt::AlignTop, u(line));
        y += 25;
    }
    p.setPen(Qt::red);
    p.drawText(QRect(10, 335, 240, 22), Qt::AlignLeft | Qt::AlignTop, u(mt::msg::kRestoreWarningRed[0]));
    p.drawText(QRect(10, 360, 240, 22), Qt::AlignLeft | Qt::AlignTop, u(mt::msg::kRestoreWarningRed[1]));
    p.setPen(Qt::black);
    p.drawText(QRect(260, 35, 290, 22), Qt::AlignLeft | Qt::AlignTop, u(mt::msg::kExistingHeading));
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const FileTime& t = backups_[static_cast<size_t>(rows_[static_cast<size_t>(row)])].when;
        char text[64];
        std::snprintf(text, sizeof text, "%d年%2d月%2d日%2d時%2d分 ", t.year, t.month, t.day, t.hour, t.minute);
        const QRect r(rowPoint(row), QSize(260, 20));
        if (row == selected_) {
            p.fillRect(r, QColor(0, 0, 160));
            p.setPen(Qt::white);
        } else {
            p.setPen(Qt::black);
        }
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, u(text));
    }
}

}  // namespace rk::ui
