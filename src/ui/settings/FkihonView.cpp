#include "ui/settings/FkihonView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <cstring>

#include "base/cp932.h"
#include "settings/basic_settings_edit.h"
#include "settings/folder_choice.h"
#include "settings/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/QtKeys.h"

namespace rk::ui {

using controls::EntryConfig;
using controls::Key;

namespace {

constexpr int kValueX = 150;
constexpr int kLanY = 490;
const char* const kLanCaptions[3] = {"LAN無対応", "サ ー バ", "ｸﾗｲｱﾝﾄ"};

QRect valueRect(int y, int chars) { return {kValueX, y - 3, chars * 7 + 10, 22}; }
QRect lanRect(int mode) { return {10 + mode * 100, kLanY, 90, 22}; }

// The qualified-invoice group: a frame of its own below the network role.
constexpr int kInvoiceTop = 522, kNumberY = 546, kSwitchY = 574;
const QRect kInvoiceFrame(10, kInvoiceTop, 550, 76);
const char* const kSwitchCaptions[2] = {"0:発行しない", "1:発行する"};
QRect switchRect(int on) { return {200 + on * 110, kSwitchY - 3, 100, 22}; }

QString fieldText(const char* text, size_t width) {
    QString s = QString::fromStdString(cp932::toUtf8(text, width));
    while (s.endsWith(' ')) s.chop(1);
    return s;
}

QColor rgb(uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

EntryConfig whole(int length, int32_t value) {
    EntryConfig c;
    c.mode = 1;
    c.length = length;
    c.value = value;
    c.inputMethodOff = true;
    return c;
}

}  // namespace

FkihonView::FkihonView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : SettingsFieldView(ctx, dialogs, parent),
      edited_(ctx.settings),
      invoiceRead_(readInvoiceSettings(ctx.files, ctx.programFolder()).settings),
      invoice_(invoiceRead_) {
    setObjectName("FkihonView");
    addField({valueRect(20, 4), [this] { return whole(4, edited_.businessYear); },
              [this](const CDataEdit& e) { edited_.businessYear = settings::normaliseYear(e.value()); },
              [this] { return QString("%1").arg(edited_.businessYear, 4); }});
    addField({valueRect(50, 2), [this] { return whole(2, edited_.firstMonth); },
              [this](const CDataEdit& e) { edited_.firstMonth = settings::normaliseFirstMonth(e.value()); },
              [this] { return QString("%1").arg(edited_.firstMonth, 2); }});
    addTextField(80, edited_.name, sizeof edited_.name, 25);
    addTextField(110, edited_.department, sizeof edited_.department, 31);
    addTextField(140, edited_.phone, sizeof edited_.phone, 38);
    addTextField(170, edited_.address, sizeof edited_.address, 38);
    addTextField(200, edited_.bank1, sizeof edited_.bank1, 38);
    addTextField(230, edited_.bank2, sizeof edited_.bank2, 38);

    folder_ = new QComboBox(this);
    folder_->setObjectName("DataFolder");
    folder_->setEditable(true);
    folder_->setInsertPolicy(QComboBox::NoInsert);
    folder_->lineEdit()->setMaxLength(38);
    folder_->setGeometry(kValueX, 270, 300, 24);
    const QString folderText = fieldText(edited_.dataFolder, 38);
    listFolders(folderText.isEmpty() ? QString::fromStdString(ctx.programFolder().string()) : folderText);
    folder_->setEditText(folderText);
    addField({folder_->geometry(), {}, {}, {}, folder_});

    addField({valueRect(320, 4),
              [this] {
                  EntryConfig c;
                  c.mode = 3;
                  c.length = 5;
                  c.decimals = 1;
                  c.number = edited_.taxRate;
                  c.inputMethodOff = true;
                  return c;
              },
              [this](const CDataEdit& e) { edited_.taxRate = settings::normaliseTaxRate(e.number()); },
              [this] { return QString::number(static_cast<int>(edited_.taxRate)); }});
    addField({valueRect(350, 5), [this] { return whole(4, typedCurrent_); },
              [this](const CDataEdit& e) { typedCurrent_ = e.value(); }, [] { return QString("**** "); }, nullptr,
              true});
    addField({valueRect(380, 5), [this] { return whole(4, typedNew_); },
              [this](const CDataEdit& e) { typedNew_ = e.value(); }, [] { return QString("**** "); }, nullptr, true});
    addField({valueRect(455, 3), [this] { return whole(2, edited_.memberNumber); },
              [this](const CDataEdit& e) { edited_.memberNumber = e.value(); },
              [this] { return QString("%1").arg(edited_.memberNumber, 2); }});
    addInvoiceFields();

    const struct {
        const char* caption;
        QRect rect;
    } buttons[3] = {
        {"解説", QRect(310, 380, 90, 30)}, {"更新(F5)", QRect(420, 370, 90, 40)}, {"復旧", QRect(530, 8, 80, 28)}};
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(buttons[i].caption), this);
        buttons_[i]->setGeometry(buttons[i].rect);
        buttons_[i]->setFocusPolicy(Qt::NoFocus);
    }
    connect(buttons_[0], &QPushButton::clicked, this, &FkihonView::helpRequested);
    connect(buttons_[1], &QPushButton::clicked, this, &FkihonView::save);
    connect(buttons_[2], &QPushButton::clicked, this, &FkihonView::restore);
}

void FkihonView::addTextField(int y, char* text, int size, int length) {
    addField({valueRect(y, length),
              [text, size, length] {
                  EntryConfig c;
                  c.mode = 0;
                  c.length = length;
                  c.text = std::span<char>(text, static_cast<size_t>(size));
                  return c;
              },
              {},
              [text, length] { return fieldText(text, static_cast<size_t>(length)); }});
}

void FkihonView::addInvoiceFields() {
    addField({valueRect(kNumberY, 20),
              [this] {
                  const std::string number = invoice_.numberText();
                  std::memset(typedNumber_, 0, sizeof typedNumber_);
                  std::memcpy(typedNumber_, number.data(), std::min(number.size(), sizeof typedNumber_));
                  EntryConfig c;
                  c.mode = 0;
                  c.length = 20;  // room for blanks or hyphens between the digits
                  c.inputMethodOff = true;
                  c.text = std::span<char>(typedNumber_, sizeof typedNumber_);
                  return c;
              },
              [this](const CDataEdit&) {
                  numberRefused_ = !settings::takeRegistrationNumber(
                      invoice_, cp932::toUtf8(typedNumber_, sizeof typedNumber_), dialogs_);
              },
              [this] { return QString::fromStdString(invoice_.numberText()); }});
    addField({valueRect(kSwitchY, 1), [this] { return whole(1, invoice_.qualified); },
              [this](const CDataEdit& e) {
                  if (e.value() == 0 || e.value() == 1) setQualified(e.value() == 1);
              },
              [this] { return QString::number(invoice_.qualified); }});
}

void FkihonView::setQualified(bool on) {
    settings::setQualified(invoice_, on, dialogs_);
    update();
}

void FkihonView::paintInvoiceGroup(QPainter& p) {
    p.setPen(Qt::black);
    p.drawRect(kInvoiceFrame);
    const QString title = QString::fromUtf8(" 適格請求書（インボイス） ");
    const QRect titleRect(20, kInvoiceTop - 9, p.fontMetrics().horizontalAdvance(title), 18);
    p.fillRect(titleRect, palette().window());
    p.drawText(titleRect, Qt::AlignCenter, title);
    p.drawText(QRect(20, kNumberY - 3, 130, 22), Qt::AlignVCenter, QString::fromUtf8("14.登 録 番 号"));
    p.drawText(QRect(310, kNumberY - 3, 240, 22), Qt::AlignVCenter, QString::fromUtf8("Ｔ＋１３桁の数字"));
    p.drawText(QRect(20, kSwitchY - 3, 130, 22), Qt::AlignVCenter, QString::fromUtf8("15.適格請求書"));
    for (int on = 0; on < 2; ++on) {
        const QRect r = switchRect(on);
        const bool chosen = (invoice_.qualified == 1) == (on == 1);
        p.fillRect(r, chosen ? QColor(0x00, 0x00, 0x80) : QColor(Qt::white));
        p.setPen(chosen ? Qt::white : Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf8(kSwitchCaptions[on]));
    }
    p.setPen(Qt::black);
}

void FkihonView::listFolders(const QString& text) {
    const auto entries = settings::folderChoices(text.trimmed().toStdString());
    folder_->clear();
    for (const std::string& e : entries) folder_->addItem(QString::fromStdString(e));
    if (!text.trimmed().isEmpty() && !entries.empty())
        folder_->setEditText(QString::fromStdString(entries.front()));
    else
        folder_->setEditText(QString());
}

void FkihonView::takeFolderText() { cp932::assign(edited_.dataFolder, 38, folder_->currentText().toStdString()); }

void FkihonView::setLanMode(int mode) {
    if (mode < 0 || mode > 2) return;
    edited_.lanMode = mode;
    update();
}

void FkihonView::findDataFolder(int version) {
    const QString initial = version == 7 ? QString("/Rkn7/S7ma%1.Ft1").arg(edited_.businessYear)
                                         : QString("/Rkn6/S7ma%1.Ft2").arg(edited_.businessYear);
    const QString chosen =
        QFileDialog::getSaveFileName(this, QString(), initial, QString(), nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty()) takeFolderOf(chosen);
}

void FkihonView::takeFolderOf(const QString& chosenFile) {
    const QString folder = QFileInfo(chosenFile).path();
    listFolders(folder);
    takeFolderText();
    update();
}

void FkihonView::move(int index, Key key) {
    switch (key) {
        case Key::F5:
            save();
            return;
        case Key::Up:
            setCurrent(index == kCurrentPassword || index == kTaxRate ? kDataFolder : std::max(0, index - 1));
            return;
        case Key::Down:
        case Key::Enter:
        case Key::Tab:
            setCurrent(index == kDataFolder || index == kTaxRate ? kCurrentPassword : std::min(kQualified, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

void FkihonView::fieldExited(int index, Key key) {
    // A refused number keeps the cursor in its field.
    if (index == kRegistrationNumber && numberRefused_) {
        numberRefused_ = false;
        setCurrent(index);
        return;
    }
    move(index, key);
}

void FkihonView::save() {
    if (saved_) return;
    saved_ = true;
    commit();
    if (numberRefused_) {  // the number typed last was refused: nothing is saved yet
        numberRefused_ = false;
        saved_ = false;
        setCurrent(kRegistrationNumber);
        return;
    }
    takeFolderText();
    // A failed write leaves the window open with what was typed, to be saved again.
    if (!settings::saveInvoice(ctx_, dialogs_, invoiceRead_, invoice_)) {
        saved_ = false;
        return;
    }
    invoiceRead_ = invoice_;
    const settings::SaveOutcome out = settings::save(ctx_, dialogs_, edited_, typedCurrent_, typedNew_);
    if (out.failed) {
        saved_ = false;
        return;
    }
    if (!out.restartNeeded) {
        emit closeRequested();
        return;
    }
    for (Edition e : {Edition::Sales, Edition::Purchase, Edition::Finance}) {
        if (e != ctx_.edition && settings::editionRunning(ctx_, e))
            dialogs_.message(msg::kOtherEditionRunning[number(e) - 1]);
    }
    dialogs_.message(msg::kFileOrFirstMonthChanged);
    emit endRequested();
}

void FkihonView::restore() {
    if (settings::restoreFromBackup(ctx_, dialogs_)) emit endRequested();
}

void FkihonView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor first = rgb(ctx_.colours[0]), second = rgb(ctx_.colours[1]);
    p.fillRect(QRect(QPoint(0, 0), QPoint(900, 9)), first);
    p.fillRect(QRect(QPoint(570, 0), QPoint(900, 1000)), first);
    p.fillRect(QRect(QPoint(340, 10), QPoint(570, 68)), second);

    p.setPen(Qt::black);
    const struct {
        int y;
        const char* text;
    } labels[] = {{20, "１.年度／入年"},      {50, "２.期　首　月"},  {80, "３.名　　　前"},
                  {110, "４.部  所  名"},     {140, "５.電 話 番号"}, {170, "６.住　　　所"},
                  {200, "７.口　座　１"},     {230, "８.口　座　２"}, {263, "９.ﾃﾞｰﾀﾄﾞﾗｲﾌﾞ指定"},
                  {287, "   又は同ﾎﾙﾀﾞ検索"}, {320, "10.消費税率％"}, {350, "11.現在ﾊﾟｽﾜｰﾄﾞ"},
                  {380, "12. 新 ﾊﾟｽﾜｰﾄﾞ"},    {455, "13.組合員 No."}};
    for (const auto& l : labels) p.drawText(QRect(20, l.y - 3, 130, 22), Qt::AlignVCenter, QString::fromUtf8(l.text));
    p.drawText(QRect(220, 452, 340, 22), Qt::AlignVCenter, "(必ず解説を参照してください)");
    p.drawText(QRect(10, 417, 560, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kSettingsNotice));

    // The input year beside the business year, not editable.
    const QRect inputYear(215, 17, 80, 22);
    p.fillRect(inputYear, palette().window());
    p.setPen(palette().dark().color());
    p.drawLine(inputYear.topLeft(), inputYear.topRight());
    p.drawLine(inputYear.topLeft(), inputYear.bottomLeft());
    p.setPen(palette().light().color());
    p.drawLine(inputYear.bottomLeft(), inputYear.bottomRight());
    p.drawLine(inputYear.topRight(), inputYear.bottomRight());
    p.setPen(Qt::black);
    p.drawText(inputYear, Qt::AlignVCenter | Qt::AlignLeft, QString("／  %1 ").arg(edited_.inputYear, 4));

    for (int mode = 0; mode < 3; ++mode) {
        const QRect r = lanRect(mode);
        const bool on = edited_.lanMode == mode;
        p.fillRect(r, on ? QColor(0x00, 0x00, 0x80) : QColor(Qt::white));
        p.setPen(on ? Qt::white : Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf8(kLanCaptions[mode]));
    }
    paintInvoiceGroup(p);
    paintFields(p);
}

void FkihonView::mousePressEvent(QMouseEvent* e) {
    for (int on = 0; on < 2; ++on) {
        if (switchRect(on).contains(e->position().toPoint())) {
            setQualified(on == 1);
            return;
        }
    }
    for (int mode = 0; mode < 3; ++mode) {
        if (lanRect(mode).contains(e->position().toPoint())) {
            setLanMode(mode);
            return;
        }
    }
    SettingsFieldView::mousePressEvent(e);
}

void FkihonView::keyPressEvent(QKeyEvent* e) {
    const Key k = toKey(e);
    if (k == Key::F5) {
        save();
    } else if (k == Key::Up || k == Key::Down || k == Key::Enter) {
        move(current() < 0 ? 0 : current(), k);
    } else {
        SettingsFieldView::keyPressEvent(e);
    }
}

bool FkihonView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == folder_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const Key key = toKey(k);
        if (key == Key::Enter) {
            listFolders(folder_->currentText());  // the confirmed text lists its folder
            return true;
        }
        if ((key == Key::Up || key == Key::Down) && !(k->modifiers() & Qt::AltModifier) &&
            !folder_->view()->isVisible()) {
            takeFolderText();
            move(kDataFolder, key);
            return true;
        }
        if (key == Key::F5) {
            save();
            return true;
        }
    }
    if (watched == folder_ && e->type() == QEvent::FocusOut) takeFolderText();
    return SettingsFieldView::eventFilter(watched, e);
}

}  // namespace rk::ui
