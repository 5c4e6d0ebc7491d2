#include "ui/tables/GraPWnd.h"

#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "tables/list_print.h"
#include "tables/search_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/GraSyuWnd.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

namespace {

constexpr int kPanelWidth = 190, kLineTop = 40, kLineStep = 30;

}  // namespace

GraPSeriesView::GraPSeriesView(GraPWnd& wnd)
    : TableFieldsView(&wnd, wnd.table().dialogs(), tables::kGraphSeries), wnd_(wnd) {
    setObjectName("GraPSeriesView");
    setFixedWidth(kPanelWidth);
    const int y = kLineTop + tables::kGraphSeries * kLineStep + 70;
    addButton("ﾓｰﾄﾞ F12", QRect(8, y, 84, 26), [&wnd] { wnd.cycleData(); });
    addButton("ｸﾞﾗﾌ消", QRect(98, y, 84, 26), [&wnd] { wnd.clearGraph(); });
    addButton("x 印刷", QRect(8, y + 32, 84, 26), [&wnd] { wnd.print(); });
}

QRect GraPSeriesView::valueRect(int field) const { return QRect(46, kLineTop + (field - 1) * kLineStep, 60, 24); }

int GraPSeriesView::fieldValue(int field) const {
    return std::max(0, wnd_.view().series[static_cast<size_t>(field - 1)].code);
}

QString GraPSeriesView::fieldText(int field) const {
    const int code = wnd_.view().series[static_cast<size_t>(field - 1)].code;
    return code == tables::kNoSeries ? QString() : QString::number(code);
}

void GraPSeriesView::finished(Key k) {
    const int line = field_;
    if (edit_->field().edited()) wnd_.setSeries(line, edit_->value());
    switch (k) {
        case Key::F12:
            wnd_.cycleData();
            return enterField(line);
        case Key::PageDown:
        case Key::PageUp:
            wnd_.periods()->triggerAction(k == Key::PageDown ? QAbstractSlider::SliderPageStepAdd
                                                             : QAbstractSlider::SliderPageStepSub);
            return enterField(line);
        case Key::Up:
            return enterField(line == 1 ? tables::kGraphSeries : line - 1);
        case Key::Esc:
            return enterField(line);
        default:
            return enterField(line == tables::kGraphSeries ? 1 : line + 1);
    }
}

void GraPSeriesView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    p.drawText(QRect(8, 8, 90, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kGraphSeries));
    p.drawText(QRect(112, 8, 76, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kGraphColour));
    for (int i = 0; i < tables::kGraphSeries; ++i) {
        const QRect v = valueRect(i + 1);
        p.setPen(Qt::black);
        p.drawText(QRect(4, v.top(), 40, v.height()), Qt::AlignVCenter, QString::fromUtf8(msg::kGraphSeriesLines[i]));
        p.fillRect(QRect(118, v.top() + 4, 56, v.height() - 8),
                   QColor::fromRgb(wnd_.view().series[static_cast<size_t>(i)].colour));
    }
    paintFields(p);
    const int y = kLineTop + tables::kGraphSeries * kLineStep;
    p.setPen(Qt::black);
    p.drawText(QRect(8, y, 180, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kGraphTotalNote));
    p.drawText(QRect(8, y + 26, 70, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kGraphData));
    p.setPen(QColor(0x00, 0x00, 0xA0));
    p.drawText(QRect(80, y + 26, 100, 22), Qt::AlignVCenter,
               QString::fromUtf8(msg::kGraphModes[static_cast<int>(wnd_.view().data)]));
}

GraPWnd::GraPWnd(GraSyuWnd& table, Dialogs&) : QWidget(nullptr), table_(table) {
    setObjectName("GraPWnd");
    setWindowTitle(QString::fromUtf8(msg::kGraphTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(table.font());
    resize(980, 560);
    series_ = new GraPSeriesView(*this);
    series_->setGeometry(0, 0, kPanelWidth, height());
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setPageStep(tables::kGraphPeriods);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        view_.first = v;
        update();
    });
    refresh();
    series_->enterField(1);
}

QRect GraPWnd::plotRect() const { return QRect(kPanelWidth, 0, width() - kPanelWidth, height() - 18); }

void GraPWnd::resizeEvent(QResizeEvent*) {
    series_->setGeometry(0, 0, kPanelWidth, height());
    scroll_->setGeometry(kPanelWidth, height() - 18, width() - kPanelWidth, 18);
}

void GraPWnd::setSeries(int line, int code) {
    const auto& keys = table_.result().keys;
    const bool known = code == 0 || std::find(keys.begin(), keys.end(), code) != keys.end();
    view_.series[static_cast<size_t>(std::clamp(line, 1, tables::kGraphSeries) - 1)].code =
        known ? code : tables::kNoSeries;
    update();
    series_->update();
}

void GraPWnd::clearGraph() {
    for (auto& s : view_.series) s.code = tables::kNoSeries;
    update();
    series_->update();
}

void GraPWnd::cycleData() {
    const int count = tables::graphDataCount(table_.tableKind().month);
    view_.data = static_cast<tables::GraphData>((static_cast<int>(view_.data) + 1) % count);
    refresh();
}

void GraPWnd::refresh() {
    const int periods = static_cast<int>(tables::graphPoints(table_.result(), view_).periods.size());
    scroll_->setRange(0, std::max(0, periods - tables::kGraphPeriods));
    view_.first = std::min(view_.first, scroll_->maximum());
    update();
    series_->update();
}

void GraPWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = plotRect();
    p.fillRect(r, Qt::white);
    printing::Document doc;
    const printing::Page page =
        tables::planGraph(table_.result(), view_, table_.names(), {r.left(), r.top() + 8, r.right(), r.bottom()}, 13);
    paintPage(p, doc, page);
}

printing::Document GraPWnd::plan(const printing::PageArea& area) const {
    printing::Document d = tables::listDocument(table_.context().files, table_.context().programFolder(),
                                                windowTitle().trimmed().toStdString(), true);
    const int th = std::max(1, (area.bottom - area.top) / 45);
    printing::Page page = tables::planGraph(table_.result(), view_, table_.names(),
                                            {area.left, area.top + th * 3, area.right, area.bottom}, th);
    page.text(area.left, area.top, table_.windowTitle().trimmed().toStdString(), printing::FontRole::Title,
              printing::Align::Left, th * 3 / 2);
    d.pages.push_back(std::move(page));
    return d;
}

void GraPWnd::print() {
    (void)output_.print([this](const printing::PageArea& area) { return plan(area); }, this);
}

void GraPWnd::focusInEvent(QFocusEvent*) {
    if (series_->edit()) series_->edit()->setFocus(Qt::OtherFocusReason);
}

}  // namespace rk::ui
