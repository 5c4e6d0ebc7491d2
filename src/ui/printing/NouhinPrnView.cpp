#include "ui/printing/NouhinPrnView.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdlib>

#include "base/format.h"
#include "printing/conventions.h"
#include "printing/fax.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/DocumentArchiver.h"

namespace rk::ui {

using controls::Key;
namespace msg = printing::msg;

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }
QString format(const char* f, int v) { return QString::asprintf(f, v); }

constexpr int kFieldX = 150, kFieldY = 20, kFieldStep = 34;

std::string faxCommand() {
    const char* c = std::getenv(printing::kFaxCommandVariable);
    return c ? c : "";
}

}  // namespace

NouhinPrnView::NouhinPrnView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : PrintSelectionView(ctx, dialogs, parent), packing_(ctx) {
    setObjectName("NouhinPrnView");
    packing_.loadPackingTable();
    printForm_ = printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());
    if (ctx.files.exists(ctx.programFolder() / printing::kFaxFontFile))
        faxFonts_ = printing::loadFaxFonts(ctx.files, ctx.programFolder());
    selection_.date = printing::lastSlipDate(ctx);
    selection_.to = ctx.env.customerCount;

    int32_t* values[4] = {&selection_.date, &selection_.from, &selection_.to, &selection_.copies};
    for (int i = 0; i < 4; ++i) {
        addNumberField(QRect(kFieldX, kFieldY + i * kFieldStep, 110, 26), values[i], i == kCopies ? 2 : 4, i == kDate,
                       [this, i](int value) { setValue(static_cast<Field>(i), value); });
    }

    list_ = new QListWidget(this);
    list_->setObjectName("SlipList");
    list_->setGeometry(440, 40, 300, 300);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    // A right click chooses every slip.
    connect(list_, &QWidget::customContextMenuRequested, list_, &QListWidget::selectAll);

    const struct {
        const char* caption;
        QRect rect;
    } buttons[kButtonCount] = {
        {"解 説", QRect(20, 300, 90, 30)},      {"全 印 刷", QRect(120, 300, 90, 30)},
        {"ﾌﾟﾚﾋﾞｭｰ", QRect(220, 300, 90, 30)},   {"指定印刷", QRect(320, 300, 90, 30)},
        {"全FAX送信", QRect(120, 340, 90, 30)}, {"指定FAX送信", QRect(220, 340, 90, 30)},
        {"JAﾌﾟﾚﾋﾞｭｰ", QRect(320, 260, 90, 30)},
    };
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(buttons[i].caption), this);
        buttons_[i]->setGeometry(buttons[i].rect);
        buttons_[i]->setFocusPolicy(Qt::NoFocus);
    }
    cooperative_ = new QCheckBox("ＪＡ様式", this);
    cooperative_->setGeometry(220, 260, 90, 30);
    cooperative_->setFocusPolicy(Qt::NoFocus);
    // Fax sending needs the fax fonts and a fax program.
    const bool faxReady = faxFonts_ && !printing::splitCommand(faxCommand()).empty();
    buttons_[kFaxAll]->setVisible(faxReady);
    buttons_[kFaxChosen]->setVisible(faxReady);

    connect(buttons_[kHelp], &QPushButton::clicked, this, &NouhinPrnView::helpRequested);
    connect(buttons_[kPrintAll], &QPushButton::clicked, this, &NouhinPrnView::printAll);
    connect(buttons_[kPrintChosen], &QPushButton::clicked, this, &NouhinPrnView::printChosen);
    connect(buttons_[kPreview], &QPushButton::clicked, this, [this] { preview(form()); });
    connect(buttons_[kCooperativePreview], &QPushButton::clicked, this,
            [this] { preview(printing::DeliveryForm::Cooperative); });
    connect(buttons_[kFaxAll], &QPushButton::clicked, this, [this] { fax(false); });
    connect(buttons_[kFaxChosen], &QPushButton::clicked, this, [this] { fax(true); });
    rebuild();
}

void NouhinPrnView::setValue(Field f, int value) {
    switch (f) {
        case kDate:
            selection_.date = monthday::normalise(value, monthday::kFirstDay);
            break;
        case kFrom:
            selection_.from = value;
            break;
        case kTo:
            selection_.to = value;
            break;
        case kCopies:
            selection_.copies = std::clamp(value, 1, 4);
            break;
    }
    rebuild();
}

void NouhinPrnView::rebuild() {
    const printing::SlipSnapshot files(ctx_);
    run_ = printing::buildDeliveryRun(files, selection_, printing::deliveryLayout(ctx_, printForm_));
    printing::applyPackingTable(run_, packing_, ctx_);
    selection_.copies = run_.copies();
    list_->clear();
    for (size_t i = 0; i < run_.slips.size(); ++i) {
        const auto& c = run_.customers[i];
        list_->addItem(QString::asprintf("%4d    ", run_.slips[i].header.customer) + text(printing::fieldText(c.name)));
    }
    update();
}

printing::DeliveryForm NouhinPrnView::form() const {
    return cooperative_->isChecked() ? printing::DeliveryForm::Cooperative : printing::DeliveryForm::Standard;
}

std::vector<bool> NouhinPrnView::chosen() const {
    std::vector<bool> out(run_.slips.size(), false);
    for (int i = 0; i < list_->count() && i < static_cast<int>(out.size()); ++i)
        out[static_cast<size_t>(i)] = list_->item(i)->isSelected();
    return out;
}

printing::Document NouhinPrnView::plan(const printing::PageArea& area, bool chosenOnly,
                                       printing::DeliveryForm kind) const {
    return printing::planDeliveryNotes(run_, ctx_, printForm_, area, kind, chosenOnly ? chosen() : std::vector<bool>{});
}

bool NouhinPrnView::send(bool chosenOnly, printing::DeliveryForm kind, bool previewOnly) {
    commit();
    const std::vector<bool> which = chosenOnly ? chosen() : std::vector<bool>{};
    const int pages = printing::chosenPageCount(run_, which);
    if (pages == 0) {
        dialogs_.message(msg::kNoSlipChosen);
        return false;
    }
    if (pages > msg::kMaxPages) {
        dialogs_.message(QString::asprintf(msg::kTooManyPages, pages, msg::kMaxPages).toStdString());
        return false;
    }
    const Planner planner = [this, which, kind](const printing::PageArea& area) {
        return printing::planDeliveryNotes(run_, ctx_, printForm_, area, kind, which);
    };
    const bool sent = sendPages(planner, previewOnly);
    // Every note that went to the printer is kept in the archive of issued documents.
    if (sent && !previewOnly) archiveIssued(ctx_, dialogs_, deliveryNotesIssued(ctx_, run_, printForm_, kind, which));
    return sent;
}

void NouhinPrnView::printAll() { send(false, form(), false); }
void NouhinPrnView::printChosen() { send(true, form(), false); }
void NouhinPrnView::preview(printing::DeliveryForm kind) { send(false, kind, true); }

void NouhinPrnView::fax(bool chosenOnly) {
    commit();
    const std::vector<std::string> command = printing::splitCommand(faxCommand());
    if (command.empty() || !faxFonts_) return;
    std::vector<bool> which = chosenOnly ? chosen() : std::vector<bool>(run_.slips.size(), true);
    if (printing::chosenPageCount(run_, which) == 0) {
        dialogs_.message(msg::kNoSlipChosen);
        return;
    }
    // The fax pages use the fax fonts.
    printing::PrintForm faxForm = printForm_;
    faxForm.title = faxFonts_->title;
    faxForm.data = faxFonts_->data;
    QTemporaryDir dir;
    QStringList missing;
    std::vector<IssuedDocument> faxed;  // archived once the sending is over
    for (size_t i = 0; i < which.size(); ++i) {
        if (!which[i]) continue;
        const auto number = printing::faxNumber(run_.customers[i]);
        const QString name = text(printing::fieldText(run_.customers[i].name));
        if (!number) {
            missing << name;
            continue;
        }
        std::vector<bool> one(run_.slips.size(), false);
        one[i] = true;
        const QString pdf = dir.filePath(QString("fax%1.pdf").arg(i + 1));
        const Planner planner = [this, one, faxForm, kind = form()](const printing::PageArea& area) {
            return printing::planDeliveryNotes(run_, ctx_, faxForm, area, kind, one);
        };
        if (!writePdf(planner, pdf)) continue;
        const auto args = printing::faxArguments(command, pdf.toStdString(), *number);
        QStringList qargs;
        for (size_t k = 1; k < args.size(); ++k) qargs << text(args[k]);
        if (QProcess::execute(text(args[0]), qargs) != 0) {
            dialogs_.message(QString::asprintf(msg::kFaxFailed, args[0].c_str()).toStdString());
            archiveIssued(ctx_, dialogs_, faxed);  // those sent before
            return;
        }
        for (IssuedDocument& d : deliveryNotesIssued(ctx_, run_, faxForm, form(), one)) faxed.push_back(std::move(d));
    }
    archiveIssued(ctx_, dialogs_, faxed);
    if (!missing.isEmpty())
        dialogs_.message(QString::asprintf(msg::kNoFaxNumber, missing.join("\n").toUtf8().constData()).toStdString());
}

void NouhinPrnView::fieldExited(int index, Key key) {
    switch (key) {
        case Key::Up:
        case Key::Esc:
            setCurrent(std::max(0, index - 1));
            return;
        case Key::Enter:
            if (index == kCopies) {
                setCurrent(index);
                printAll();
                return;
            }
            [[fallthrough]];
        case Key::Down:
        case Key::Tab:
            setCurrent(std::min<int>(kCopies, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

void NouhinPrnView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    const char* labels[4] = {"印　刷　月　日", "開始得意先Ｎｏ", "終了得意先Ｎｏ", "印　刷　部　数"};
    for (int i = 0; i < 4; ++i)
        p.drawText(QRect(20, kFieldY + i * kFieldStep, 125, 26), Qt::AlignVCenter, QString::fromUtf8(labels[i]));
    paintFields(p);
    p.drawText(QRect(kFieldX + 120, kFieldY, 60, 26), Qt::AlignVCenter,
               text(printing::weekdayText(selection_.date, ctx_.settings.businessYear, ctx_.settings.firstMonth)));
    p.drawText(QRect(440, 12, 300, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kListCaption));
    p.drawText(QRect(440, 345, 300, 22), Qt::AlignVCenter,
               format(msg::kSlipCount, static_cast<int>(run_.slips.size())));
    p.drawText(QRect(440, 367, 300, 22), Qt::AlignVCenter, format(msg::kPageCount, run_.pageCount()));
    p.drawText(QRect(20, 170, 410, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kFormNote));
    p.drawText(QRect(20, 194, 410, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kPaperNote));
    if (!run_.invalidMessage().empty()) {
        p.setPen(Qt::red);
        p.drawText(QRect(20, 385, 720, 22), Qt::AlignVCenter, text(run_.invalidMessage()));
    }
}

}  // namespace rk::ui
