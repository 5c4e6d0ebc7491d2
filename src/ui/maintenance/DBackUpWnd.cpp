#include "ui/maintenance/DBackUpWnd.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "maintenance/backup.h"
#include "maintenance/messages.h"
#include "ui/maintenance/ProgressNote.h"
#include "ui/maintenance/QtDiskQuestions.h"

namespace rk::ui {
namespace {

namespace mt = maintenance;

constexpr int kFirstRowTop = 115, kRowHeight = 30, kRows = 12;
constexpr char kGuideTopic[] = "＊．データバックアップ";

QString u(const char* s) { return QString::fromUtf8(s); }

const char* medium(Volume::Kind k) {
    switch (k) {
        case Volume::Kind::Removable:
            return mt::msg::kMediumRemovable;
        case Volume::Kind::Fixed:
            return mt::msg::kMediumFixed;
        case Volume::Kind::Remote:
            return mt::msg::kMediumRemote;
        case Volume::Kind::CdRom:
            return mt::msg::kMediumCdRom;
        case Volume::Kind::RamDisk:
            return mt::msg::kMediumRamDisk;
    }
    return "";
}

// Wait cursor for the length of a backup.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

DBackUpWnd::DBackUpWnd(AppContext& ctx, Dialogs& dialogs, Volumes& volumes, GuideOpener guide, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), volumes_(volumes), guide_(std::move(guide)) {
    setWindowTitle(u(mt::msg::kBackupTitle));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    auto button = [this](const char* caption, int left, int right) {
        auto* b = new QPushButton(u(caption), this);
        b->setGeometry(left, 10, right - left, 40);
        b->setFocusPolicy(Qt::NoFocus);  // the keys stay with the drive list
        return b;
    };
    management_ = button(mt::msg::kManagementMethod, 60, 300);
    auto* explain = button(mt::msg::kExplain, 340, 420);
    archive_ = button(mt::msg::kArchiveMethod, 460, 700);
    connect(management_, &QPushButton::clicked, this, &DBackUpWnd::backUpManagementData);
    connect(archive_, &QPushButton::clicked, this, &DBackUpWnd::backUpArchive);
    connect(explain, &QPushButton::clicked, this, [this] {
        if (guide_) guide_(kGuideTopic);
    });
    note_ = new QLabel(this);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setFrameShape(QFrame::Box);
    note_->setAutoFillBackground(true);
    note_->hide();

    drives_ = volumes_.list();
    free_.assign(drives_.size(), 0);
    for (size_t i = 0; i < drives_.size(); ++i) measure(static_cast<int>(i));
    management_->setDefault(true);
}

void DBackUpWnd::measure(int row) {
    if (row < 0 || row >= static_cast<int>(drives_.size())) return;
    free_[static_cast<size_t>(row)] = volumes_.freeBytes(drives_[static_cast<size_t>(row)].mount).value_or(0) / 1000;
    update();
}

void DBackUpWnd::select(int row) {
    if (row < 0 || row >= static_cast<int>(drives_.size())) return;
    selected_ = row;
    measure(row);
}

QString DBackUpWnd::choose(const QString& initial) {
    if (choose_) return choose_(initial);
    return QFileDialog::getSaveFileName(this, QString(), initial);
}

void DBackUpWnd::backUpManagementData() {
    if (drives_.empty()) return;
    const Volume& drive = drives_[static_cast<size_t>(selected_)];
    if (!volumes_.freeBytes(drive.mount)) {
        dialogs_.message(mt::msg::kCannotMeasure);
        return;
    }
    const QString chosen = choose(QString::fromStdString((drive.mount / mt::msg::kManagementFileName).string()));
    if (chosen.isEmpty()) return;
    WaitCursor wait;
    note_->setGeometry(20, 360, 460, 60);
    ProgressNote progress(dialogs_, note_);
    QtDiskQuestions disk(this);
    (void)mt::backupToFolder(ctx_, progress, disk, volumes_, fs::path(chosen.toStdString()));
    note_->hide();
    measure(selected_);
}

void DBackUpWnd::backUpArchive() {
    if (drives_.empty()) return;
    const Volume& drive = drives_[static_cast<size_t>(selected_)];
    const QString chosen = choose(QString::fromStdString((drive.mount / mt::defaultArchiveName(ctx_)).string()));
    if (chosen.isEmpty()) return;
    WaitCursor wait;
    note_->setGeometry(20, 240, 540, 180);
    ProgressNote progress(dialogs_, note_);
    QtDiskQuestions disk(this);
    (void)mt::backupToArchive(ctx_, progress, disk, volumes_, fs::path(chosen.toStdString()));
    note_->hide();
    measure(selected_);
}

void DBackUpWnd::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            backUpManagementData();
            return;
        case Qt::Key_Up:
            select(selected_ - 1);
            return;
        case Qt::Key_Down:
            select(selected_ + 1);
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            highlighted_ = e->key() == Qt::Key_Left ? kManagement : kArchive;
            management_->setDefault(highlighted_ == kManagement);
            archive_->setDefault(highlighted_ == kArchive);
            return;
        default:
            QWidget::keyPressEvent(e);
    }
}

void DBackUpWnd::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const int row = (p.y() - kFirstRowTop) / kRowHeight;
    if (p.x() >= 20 && p.x() < 360 && p.y() >= kFirstRowTop && row < kRows) select(row);
    setFocus();
}

void DBackUpWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawText(QRect(30, 80, 400, 20), Qt::AlignLeft | Qt::AlignTop, u(mt::msg::kDriveHeader));
    qDrawShadePanel(&p, QRect(20, 105, 340, 370), palette(), true, 2);
    const QFontMetrics fm(font());
    for (int i = 0; i < static_cast<int>(drives_.size()) && i < kRows; ++i) {
        const int top = kFirstRowTop + i * kRowHeight;
        const bool chosen = i == selected_;
        if (chosen) p.fillRect(QRect(23, top - 3, 334, 26), Qt::black);
        p.setPen(chosen ? Qt::white : Qt::black);
        const QString mount =
            fm.elidedText(QString::fromStdString(drives_[static_cast<size_t>(i)].mount.string()), Qt::ElideMiddle, 86);
        p.drawText(QRect(40, top, 90, 20), Qt::AlignLeft | Qt::AlignTop, mount);
        p.drawText(QRect(130, top, 80, 20), Qt::AlignRight | Qt::AlignTop,
                   QString::number(static_cast<qulonglong>(free_[static_cast<size_t>(i)])));
        p.drawText(QRect(220, top, 130, 20), Qt::AlignLeft | Qt::AlignTop,
                   u(medium(drives_[static_cast<size_t>(i)].kind)));
    }
}

}  // namespace rk::ui
