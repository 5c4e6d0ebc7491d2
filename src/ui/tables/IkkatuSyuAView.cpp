#include "ui/tables/IkkatuSyuAView.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "tables/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/IkkatuSyuWnd.h"

namespace rk::ui {

using controls::Key;

namespace {

QString dateText(int v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d 月 %2d 日", v / 100, v % 100);
    return QString::fromUtf8(buf);
}

}  // namespace

IkkatuSyuAView::IkkatuSyuAView(IkkatuSyuWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("IkkatuSyuAView");
    setFixedHeight(kHeight);
    const int ed = wnd.context().edition == Edition::Sales ? 0 : 1;
    stages_ = new QListWidget(this);
    stages_->setGeometry(330, 6, 110, 92);
    stages_->setStyleSheet("QListWidget::item { height: 21px; }");
    stages_->setSelectionMode(QAbstractItemView::MultiSelection);
    stages_->setFocusPolicy(Qt::NoFocus);
    for (const char* line : tables::msg::kBulkStageLines[ed]) stages_->addItem(QString::fromUtf8(line));
    showStages();
    connect(stages_, &QListWidget::itemSelectionChanged, this, [this] {
        tables::StageSelection s{};
        for (int i = 0; i < tables::kSlipStages; ++i) s[static_cast<size_t>(i)] = stages_->item(i)->isSelected();
        wnd_.setStages(s);
    });
    int i = 0;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }},
             {"印 刷", [&wnd] { wnd.print(false); }},
             {"文字列", [&wnd] { (void)wnd.exportCsv(); }},
             {"条 件", [&wnd] { wnd.showConditions(); }},
             {"解 説", [&wnd] { wnd.openGuide(); }}}) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(460 + (i % 3) * 86, 6 + (i / 3) * 30, 80, 24);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, action);
        ++i;
    }
}

QPushButton* IkkatuSyuAView::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

void IkkatuSyuAView::showStages() {
    const QSignalBlocker block(stages_);
    for (int i = 0; i < tables::kSlipStages; ++i) stages_->item(i)->setSelected(wnd_.stages()[static_cast<size_t>(i)]);
}

QRect IkkatuSyuAView::valueRect(int field) const { return QRect(112, field == 1 ? 8 : 40, 110, 24); }

void IkkatuSyuAView::enterField(int field) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
        edit_ = nullptr;
    }
    field_ = std::clamp(field, 1, 2);
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;
    c.value = field_ == 1 ? wnd_.from() : wnd_.to();
    edit_ = CDataEdit::create(this, c, valueRect(field_), wnd_.dialogs());
    if (edit_) connect(edit_, &CDataEdit::finished, this, &IkkatuSyuAView::finished);
    update();
}

void IkkatuSyuAView::finished(Key k) {
    const int v = edit_->value();
    const int was = field_;
    if (k == Key::Esc) return enterField(field_);
    if (was == 1)
        wnd_.setRange(monthday::normalise(v, monthday::kFirstDay), wnd_.to());
    else
        wnd_.setRange(wnd_.from(), monthday::normalise(v, monthday::kLastDay));
    const bool confirmedEnd = was == 2 && (k == Key::Enter || k == Key::Down);
    enterField(k == Key::Up || k == Key::Left ? 1 : 2);
    if (confirmedEnd) wnd_.showConditions();
}

void IkkatuSyuAView::mousePressEvent(QMouseEvent* e) {
    for (int f = 1; f <= 2; ++f)
        if (valueRect(f).contains(e->pos())) return enterField(f);
}

void IkkatuSyuAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    p.drawText(QRect(8, 8, 100, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計開始日"));
    p.drawText(QRect(8, 40, 100, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計終了日"));
    p.drawText(QRect(240, 6, 86, 24), Qt::AlignVCenter, QString::fromUtf8("表示データ"));
    for (int f = 1; f <= 2; ++f) {
        const QRect r = valueRect(f);
        p.fillRect(r, Qt::white);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (f == field_ && edit_) continue;
        p.drawText(r.adjusted(2, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight,
                   dateText(f == 1 ? wnd_.from() : wnd_.to()));
    }
}

}  // namespace rk::ui
