#include "ui/tables/UriNenreiView.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include "base/format.h"
#include "tables/aging_messages.h"
#include "tables/list_print.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

namespace {
constexpr int kFieldX = 130, kFieldY = 16, kFieldStep = 32, kTableY = 160;
}  // namespace

UriNenreiView::UriNenreiView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : PrintSelectionView(ctx, dialogs, parent) {
    setObjectName("UriNenreiView");
    const FileTime today = ctx.clock.now();
    asOf_ = monthday::normalise(today.month * 100 + today.day, monthday::kFirstDay);
    last_ = ctx.env.customerCount;

    int32_t* values[3] = {&asOf_, &first_, &last_};
    for (int i = 0; i < 3; ++i)
        addNumberField(QRect(kFieldX, kFieldY + i * kFieldStep, 110, 26), values[i], 4, i == kAsOf,
                       [this, i](int value) { setValue(static_cast<Field>(i), value); });

    const char* captions[kButtonCount] = {"解 説", "集計実行(F11)", "印刷実行(F12)", "ﾌﾟﾚﾋﾞｭｰ", "ﾃｷｽﾄｱｳﾄ"};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setGeometry(20 + i * 110, 118, 105, 30);
        buttons_[i]->setFocusPolicy(Qt::NoFocus);
    }
    connect(buttons_[kHelp], &QPushButton::clicked, this, &UriNenreiView::helpRequested);
    connect(buttons_[kCollect], &QPushButton::clicked, this, [this] { collect(); });
    connect(buttons_[kPrint], &QPushButton::clicked, this, [this] { print(); });
    connect(buttons_[kPreview], &QPushButton::clicked, this, [this] { print(true); });
    connect(buttons_[kText], &QPushButton::clicked, this, [this] { writeText(); });
    setFunctionKeys([this] { collect(); }, [this] { print(); }, kLastCustomer);

    table_ = new QTableWidget(this);
    table_->setObjectName("AgingList");
    table_->setColumnCount(9);
    QStringList heads;
    for (const char* h : msg::kAgingColumns) heads << QString::fromUtf8(h);
    table_->setHorizontalHeaderLabels(heads);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setFocusPolicy(Qt::NoFocus);
    const int widths[9] = {44, 170, 96, 96, 96, 96, 96, 104, 64};
    for (int c = 0; c < 9; ++c) table_->setColumnWidth(c, widths[c]);
    table_->verticalHeader()->setDefaultSectionSize(22);
}

void UriNenreiView::setValue(Field f, int value) {
    switch (f) {
        case kAsOf:
            asOf_ = monthday::normalise(value, monthday::kFirstDay);
            break;
        case kFirstCustomer:
            first_ = std::clamp(value, 1, ctx_.env.customerCount);
            break;
        case kLastCustomer:
            last_ = std::clamp(value, 1, ctx_.env.customerCount);
            break;
    }
    update();
}

bool UriNenreiView::collect() {
    commit();
    aging_ = tables::runAging(ctx_, asOf_, first_, last_);
    collected_ = aging_.complete;
    fillTable();
    update();
    if (!aging_.complete) {
        dialogs_.message(msg::kAgingUnreadable, Icon::Stop);
        return false;
    }
    return true;
}

void UriNenreiView::fillTable() {
    table_->setRowCount(0);
    if (!aging_.complete) return;
    const int rows = static_cast<int>(aging_.rows.size());
    table_->setRowCount(rows + 1);
    auto put = [this](int row, const tables::AgingRow& r, bool totals) {
        const std::vector<std::string> cells = tables::agingCells(r, totals);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[static_cast<size_t>(c)]).trimmed());
            const bool number = c == 0 || (c >= 2 && c <= 7);
            item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (c == 8 && !r.reconciled()) item->setForeground(Qt::red);
            if (totals) item->setBackground(QColor(0xE8, 0xE8, 0xD8));
            table_->setItem(row, c, item);
        }
    };
    for (int i = 0; i < rows; ++i) put(i, aging_.rows[static_cast<size_t>(i)], false);
    put(rows, aging_.totals, true);
}

bool UriNenreiView::print(bool previewOnly) {
    if (!collected_ && !collect()) return false;
    commit();
    const tables::Aging aging = aging_;
    const Planner planner = [this, aging](const printing::PageArea& area) {
        printing::Document doc = tables::listDocument(ctx_.files, ctx_.programFolder(),
                                                      msg::kAgingHeading[ctx_.edition == Edition::Purchase], true);
        tables::planAging(doc, ctx_, aging, area);
        return doc;
    };
    return sendPages(planner, previewOnly);
}

bool UriNenreiView::writeText() {
    if (!collected_ && !collect()) return false;
    if (dialogs_.ask(msg::kAgingCsvQuestion, Buttons::OkCancel, Answer::Cancel) != Answer::Ok) return false;
    if (!tables::writeAgingCsv(ctx_, aging_)) {
        dialogs_.message(msg::kAgingCsvFailed, Icon::Stop);
        return false;
    }
    return true;
}

void UriNenreiView::fieldExited(int index, Key key) {
    if (key == Key::Enter && index == kLastCustomer) {
        setCurrent(index);
        collect();
        return;
    }
    PrintSelectionView::fieldExited(index, key);
}

void UriNenreiView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    const char* labels[3] = {"基　準　日", "開始得意先Ｎｏ", "終了得意先Ｎｏ"};
    for (int i = 0; i < 3; ++i)
        p.drawText(QRect(20, kFieldY + i * kFieldStep, 110, 26), Qt::AlignVCenter, QString::fromUtf8(labels[i]));
    paintFields(p);
    p.drawText(QRect(260, kFieldY, 560, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kAgingSlipNote));
    p.drawText(QRect(260, kFieldY + kFieldStep, 560, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kAgingMismatchNote));
    if (collected_ && aging_.rows.empty())
        p.drawText(QRect(260, kFieldY + 2 * kFieldStep, 560, 22), Qt::AlignVCenter,
                   QString::fromUtf8(msg::kAgingNothing));
}

void UriNenreiView::resizeEvent(QResizeEvent* e) {
    PrintSelectionView::resizeEvent(e);
    table_->setGeometry(10, kTableY, width() - 20, height() - kTableY - 10);
}

}  // namespace rk::ui
