#include "ui/app/BakWnd.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/messages.h"
#include "base/cp932.h"

namespace rk::ui {
namespace {

QColor rgb(uint32_t v) { return QColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

}  // namespace

BakWnd::BakWnd(AppContext& ctx, Dialogs& dialogs, QWidget* frame, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), frame_(frame) {
    setObjectName("BakWnd");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnabled(false);
    setGeometry(124, 528, 940, 200);  // wide and tall enough for everything it paints
    built_ = QFileInfo(QApplication::applicationFilePath()).lastModified();
    large_ = QFont("IPAGothic");
    large_.setPixelSize(40);
    small_ = QFont("IPAGothic");
    small_.setPixelSize(20);
    const std::string picture(ctx.editionInfo().backgroundPicture);
    if (!picture.empty()) picture_.load(QString::fromStdString((ctx.programFolder() / picture).string()));
    refresh();
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &BakWnd::tick);
    timer->start(kTickMs);
}

void BakWnd::refresh() {
    year_ = ctx_.settings.businessYear;
    inputYear_ = ctx_.settings.inputYear;
    update();
}

void BakWnd::tick() {
    if (++tick_ >= 60) tick_ = 0;
    update(QRect(600, 0, 60, 60));
}

void BakWnd::placeInFrame() {
    const QRect g = frame_->geometry();
    storeFrame(ctx_.settings, {g.x(), g.y(), g.width(), g.height()});
    QPoint at = parentWidget()->mapFrom(frame_, QPoint(g.width() - 920, g.height() - 240));
    if (pos() != at) move(at);
}

void BakWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setBackground(Qt::white);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setFont(small_);
    // Positions name the top left of the text.
    auto text = [&](int x, int y, const QString& s) { p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s); };

    p.fillRect(QRect(0, 0, 600, 200), rgb(ctx_.editionInfo().backgroundRgb));
    if (!picture_.isNull()) p.drawPixmap(QRect(0, 0, 600, 200), picture_);
    p.fillRect(QRect(600, 0, 340, 200), rgb(ctx_.colours[0]));

    p.setPen(Qt::black);
    const QDate d = built_.date();
    text(20, 25, QString("作成日 %1-%2-%3").arg(d.year()).arg(d.month()).arg(d.day()));
    if (ctx_.stationNumber != 0) text(480, 25, QString(" LogNo  %1 ").arg(ctx_.stationNumber));

    p.setBackgroundMode(Qt::TransparentMode);
    p.setPen(Qt::white);
    text(200, 25, "ラクレナＶｅｒ ７．０");
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRect(100, 75, 440, 80), 12.5, 15);

    p.setPen(Qt::black);
    p.drawLine(602, tick_, 639, tick_);

    p.setBackgroundMode(Qt::OpaqueMode);
    if (ctx_.memberNumber > 9)
        text(670, 5, QString("組合員 No.  %1").arg(ctx_.memberNumber));
    else if (ctx_.memberNumber == -1)
        text(670, 5, "ﾈｯﾄｻｰﾊﾞ");
    text(670, 30, QString::fromStdString(ctx_.fileSet.dataFolder.string()));

    p.setPen(QColor(0x00, 0x7F, 0x00));
    text(120, 85, "Ｗｉｎｄｏｗｓ-９８ or ２０００");

    p.setPen(Qt::black);
    p.setFont(large_);
    p.drawRoundedRect(QRect(640, 55, 230, 110), 5, 5);
    text(660, 65, QString("年度 %1").arg(year_));
    text(660, 115, QString("入年 %1").arg(inputYear_));

    if (firstPaint_) {
        firstPaint_ = false;
        QScreen* screen = this->screen();
        if (screen && screen->geometry().width() < 1024)
            QTimer::singleShot(0, this, [this] { dialogs_.message(msg::kNarrowScreen, Icon::Warning); });
    }
    placeInFrame();
}

}  // namespace rk::ui
