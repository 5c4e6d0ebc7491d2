#include "ui/settings/FKankyoView.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <iterator>

#include "app/posting_rows.h"
#include "base/cp932.h"
#include "settings/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/QtKeys.h"

namespace rk::ui {

using controls::EntryConfig;
using controls::Key;

namespace {

constexpr int kRowY = 40, kRowStep = 28;
constexpr int kDebitX = 190, kCreditX = 290;
const QRect kBackupMarker(QPoint(835, 370), QPoint(900, 400));

int rowY(int row) { return kRowY + row * kRowStep; }
QColor rgb(uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }
QString text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

FKankyoView::FKankyoView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : SettingsFieldView(ctx, dialogs, parent), opened_(ctx.env), env_(ctx.env) {
    setObjectName("FKankyoView");
    for (int row = 0; row < posting::kRows; ++row) {
        if (const int n = posting::costNameOf(row); n >= 0) {
            char* name = env_.costNames[n];
            addField({QRect(20, rowY(row) - 3, 130, 22),
                      [name] {
                          EntryConfig c;
                          c.mode = 0;
                          c.length = 16;
                          c.text = std::span<char>(name, 16);
                          return c;
                      },
                      {},
                      [name] { return QString::fromStdString(cp932::toUtf8(name, 16)).trimmed(); }});
        }
        for (int side = 0; side < 2; ++side) {
            int32_t* code = side ? &env_.credit[row] : &env_.debit[row];
            codeFields_[row][side] = addField({QRect(side ? kCreditX : kDebitX, rowY(row) - 3, 50, 22),
                                               [code] {
                                                   EntryConfig c;
                                                   c.mode = 1;
                                                   c.length = 3;
                                                   c.value = *code;
                                                   c.inputMethodOff = true;
                                                   return c;
                                               },
                                               [code](const CDataEdit& e) { *code = e.value(); },
                                               [code] { return QString("%1").arg(*code, 3); }});
        }
    }
    connect(this, &SettingsFieldView::fieldChanged, this, [this](int index) {
        for (auto& row : codeFields_)
            if (row[0] == index || row[1] == index) lastCodeField_ = index;
    });

    lookup_ = new QComboBox(this);
    lookup_->setObjectName("AccountLookup");
    lookup_->setEditable(true);
    lookup_->setInsertPolicy(QComboBox::NoInsert);
    lookup_->setGeometry(380, 35, 240, 24);
    connect(lookup_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (lookUp(lookup_->currentText())) {
            if (!matches_.empty()) lookup_->showPopup();
        }
    });
    connect(lookup_, &QComboBox::activated, this, &FKankyoView::chooseAccount);

    const Edition e = ctx.edition;
    addList(kInputPoint, 35, "行ｺﾋﾟｰ時の入力ﾎﾟｲﾝﾄ", {"１.規格１", "２.規格２", "３.数　量"},
            settings::inputPointChoice(env_.copyInputPoint));
    addList(kBoxCount, 65, "箱 数 印刷", {"１.しない", "２.す　る", "３.条件付"}, env_.boxCountPrinting);
    addList(kSkipLine, 95, "行抜き印刷", {"１.しない", "２.す　る"}, env_.skipLinePrinting)
        ->setEnabled(e == Edition::Sales);
    addList(kAutoBox, 125, "自動箱入力", {"１.しない", "２.す　る"}, env_.autoBoxInput);
    addList(kVerticalRule, 155, "縦罫線ﾓｰﾄﾞ", {"１.標　準", "２.縦罫線", "３.罫線無"}, env_.verticalRuleMode);
    addList(kCustomerCount, 185, "得意先件数", {" 999 件", "1999 件", "2999 件"},
            settings::customerCountChoice(env_.customerCount));

    const char* checks[kCheckCount] = {"備考文書換警告をする", "ﾚｺｰﾄﾞ表示する", "梱包数表示する"};
    const int32_t values[kCheckCount] = {env_.warnRemarkRewrite, env_.showRecordNumbers, env_.showPackingCounts};
    for (int i = 0; i < kCheckCount; ++i) {
        checks_[i] = new QCheckBox(text(checks[i]), this);
        checks_[i]->setGeometry(380, 75 + i * 26, 220, 24);
        checks_[i]->setChecked(values[i] != 0);
    }

    const struct {
        const char* caption;
        QRect rect;
    } buttons[kButtonCount] = {{"解 説", QRect(650, 370, 80, 30)},         {"更 新 (F5)", QRect(740, 370, 90, 30)},
                               {"基本色１設定", QRect(380, 160, 110, 26)}, {"基本色２設定", QRect(380, 190, 110, 26)},
                               {"基本色３設定", QRect(380, 220, 110, 26)}, {"既定色に戻す", QRect(526, 220, 100, 26)}};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[i] = new QPushButton(text(buttons[i].caption), this);
        buttons_[i]->setGeometry(buttons[i].rect);
        buttons_[i]->setFocusPolicy(Qt::NoFocus);
    }
    connect(buttons_[kHelp], &QPushButton::clicked, this, &FKankyoView::helpRequested);
    connect(buttons_[kSave], &QPushButton::clicked, this, &FKankyoView::save);
    for (int n = 0; n < 3; ++n)
        connect(buttons_[kColour1 + n], &QPushButton::clicked, this, [this, n] { chooseColour(n); });
    connect(buttons_[kDefaultColours], &QPushButton::clicked, this, &FKankyoView::defaultColours);
}

QComboBox* FKankyoView::addList(List l, int y, const char* caption, const QStringList& items, int selected) {
    auto* label = new QLabel(text(caption), this);
    label->setGeometry(640, y, 140, 24);
    auto* combo = new QComboBox(this);
    combo->addItems(items);
    combo->setCurrentIndex(std::clamp(selected, 0, static_cast<int>(items.size()) - 1));
    combo->setGeometry(790, y, 110, 24);
    lists_[l] = combo;
    return combo;
}

bool FKankyoView::lookUp(const QString& typed) {
    auto found = settings::findAccounts(ctx_, typed.toStdString());
    if (!found) {
        dialogs_.message(msg::kAccountFileUnopenable, Icon::Stop);
        emit endRequested();
        return false;
    }
    matches_ = std::move(*found);
    lookup_->clear();
    for (const auto& m : matches_) lookup_->addItem(QString::fromStdString(m.label()));
    lookup_->setEditText(typed);
    return true;
}

void FKankyoView::chooseAccount(int index) {
    if (index < 0 || index >= static_cast<int>(matches_.size())) return;
    const int target = lastCodeField_;
    setCurrent(-1);  // the field's own input is kept first, then replaced by the choice
    for (int row = 0; row < 9; ++row) {
        for (int side = 0; side < 2; ++side) {
            if (codeFields_[row][side] == target) (side ? env_.credit : env_.debit)[row] = matches_[index].code;
        }
    }
    setCurrent(target);
}

void FKankyoView::fieldExited(int index, Key key) {
    const int last = codeField(8, true);
    switch (key) {
        case Key::F5:
            save();
            return;
        case Key::Up:
            setCurrent(std::max(0, index - 1));
            return;
        case Key::Down:
        case Key::Enter:
        case Key::Tab:
            setCurrent(std::min(last, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

bool FKankyoView::save() {
    if (saved_) return false;
    commit();
    EnvironmentBlock b = env_;
    b.copyInputPoint = settings::inputPointFromChoice(lists_[kInputPoint]->currentIndex());
    b.boxCountPrinting = lists_[kBoxCount]->currentIndex();
    if (ctx_.edition == Edition::Sales) b.skipLinePrinting = lists_[kSkipLine]->currentIndex();
    b.autoBoxInput = lists_[kAutoBox]->currentIndex();
    b.verticalRuleMode = lists_[kVerticalRule]->currentIndex();
    b.customerCount = settings::customerCountFromChoice(lists_[kCustomerCount]->currentIndex(), ctx_.edition);
    b.warnRemarkRewrite = checks_[kWarnRemark]->isChecked();
    b.showRecordNumbers = checks_[kShowRecords]->isChecked();
    b.showPackingCounts = checks_[kShowPacking]->isChecked();
    // Colours and the backup switch act at once on the running block.
    std::copy(std::begin(ctx_.env.colours), std::end(ctx_.env.colours), b.colours);
    b.autoBackupOff = ctx_.env.autoBackupOff;
    if (!settings::saveEnvironment(ctx_, dialogs_, opened_, b)) return false;
    saved_ = true;
    emit closeRequested();
    return true;
}

void FKankyoView::chooseColour(int n) {
    const QColor chosen = QColorDialog::getColor(rgb(ctx_.colours[n]), this,
                                                 QString::fromUtf8(n == 0   ? "基本色１設定"
                                                                   : n == 1 ? "基本色２設定"
                                                                            : "基本色３設定"));
    if (!chosen.isValid()) return;
    settings::setColour(ctx_, n, (static_cast<uint32_t>(chosen.red()) << 16) | (chosen.green() << 8) | chosen.blue());
    std::copy(std::begin(ctx_.env.colours), std::end(ctx_.env.colours), env_.colours);
    emit coloursChanged();
}

void FKankyoView::defaultColours() {
    settings::restoreDefaultColours(ctx_);
    std::copy(std::begin(ctx_.env.colours), std::end(ctx_.env.colours), env_.colours);
    emit coloursChanged();
}

void FKankyoView::toggleAutoBackup() {
    settings::toggleAutoBackup(ctx_, dialogs_);
    env_.autoBackupOff = ctx_.env.autoBackupOff;
    update(kBackupMarker);
}

void FKankyoView::toggleCheckMode() { settings::toggleCheckMode(ctx_, dialogs_); }

void FKankyoView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(QRect(QPoint(0, 0), QPoint(920, 9)), rgb(ctx_.colours[0]));
    p.setPen(Qt::black);
    p.drawText(QRect(kDebitX, 12, 200, 20), Qt::AlignVCenter, text(msg::kPostingHeading));
    for (int row = 0; row < posting::kRows; ++row) {
        const std::string_view caption = posting::caption(row, ctx_.edition);
        if (!caption.empty())
            p.drawText(QRect(20, rowY(row) - 3, 160, 22), Qt::AlignVCenter,
                       QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    }
    // The codes that must all be the customer's account: credits (sales) or debits (purchase).
    const bool sales = ctx_.edition == Edition::Sales;
    const int boxX = (sales ? kCreditX : kDebitX) - 4;
    p.setPen(QPen(Qt::red, 2));
    p.drawRect(QRect(boxX, rowY(1) - 6, 58, rowY(8) - rowY(1) + 28));
    p.setPen(Qt::black);
    p.drawText(QRect(20, 300, 600, 40), Qt::AlignLeft | Qt::TextWordWrap,
               text(sales ? msg::kReceivablesBoxNote : msg::kPayablesBoxNote));
    p.drawText(QRect(20, 340, 600, 40), Qt::AlignLeft | Qt::TextWordWrap, text(msg::kTaxRowNote));
    p.drawText(QRect(640, 215, 260, 60), Qt::AlignLeft | Qt::TextWordWrap, text(msg::kCustomerCountReminder));
    p.drawText(QRect(380, 12, 240, 20), Qt::AlignVCenter, "科目検索");

    // Colour samples beside their buttons.
    for (int n = 0; n < 3; ++n) {
        const QRect sample(496, 163 + n * 30, 20, 20);
        p.fillRect(sample, rgb(ctx_.colours[n]));
        p.drawRect(sample);
    }

    const char* lan[3] = {"LAN無対応", "サ ー バ", "ｸﾗｲｱﾝﾄ"};
    const int mode = std::clamp(ctx_.settings.lanMode, 0, 2);
    p.drawText(QRect(640, 280, 260, 22), Qt::AlignVCenter, text(lan[mode]));

    const bool backupOn = ctx_.env.autoBackupOff == 0;
    p.fillRect(kBackupMarker, backupOn ? QColor(0x00, 0x80, 0x00) : QColor(0x80, 0x80, 0x80));
    p.setPen(Qt::white);
    p.drawText(kBackupMarker, Qt::AlignCenter, backupOn ? "自動BK" : "BK無");
    paintFields(p);
}

void FKankyoView::keyPressEvent(QKeyEvent* e) {
    const Key k = toKey(e);
    if (k == Key::F5) {
        save();
    } else if (k == Key::Up || k == Key::Down || k == Key::Enter) {
        fieldExited(current() < 0 ? 0 : current(), k);
    } else {
        SettingsFieldView::keyPressEvent(e);
    }
}

}  // namespace rk::ui
