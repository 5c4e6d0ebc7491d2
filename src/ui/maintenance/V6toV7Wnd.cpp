#include "ui/maintenance/V6toV7Wnd.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>

#include "maintenance/check_messages.h"
#include "maintenance/old_version.h"

namespace rk::ui {

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kPatterns[V6toV7Wnd::kPickCount] = {"Fd1??.Et2", "Sd1??.Et2", "Sd6??.Et2"};
const char* const kBases[V6toV7Wnd::kPickCount] = {" FD1", " SD1", " SD5"};
const char* const kKinds[V6toV7Wnd::kPickCount] = {"（商品ﾃﾞｰﾀ）を指定しください", "（商品ﾃﾞｰﾀ）を指定しください",
                                                   "（振り替え伝票）を指定しください"};

const char* const kLines[] = {
    "ラクレナVer6.0（又はVer5.0） データを Ver7.0 用に変換します",
    "←ボタンをクリックして変換元ファイルを指定してください ",
    "Ver 6.0 データは複数ありますがこのうち",
};
const char* const kAfter[] = {
    "他のファイルはマスターも含め 全てこれと同じフォルダーにあるものとみなします",
    "もしマスターが別のフォルダーにある場合は上記ファイルのホルダーにコピーしてください",
    "変換年度は現在基本設定で指定されてる年度から順次過去に向かって行います。その年度",
    "ファイルが見つからなければ変換を停止します",
    "環境データはラクレナVer 6.0 が Ver 7.0 と同じドライブの ￥Rkn6 にあるものとします",
    "これ以外の場所にセットアップされた場合（標準のセットアップでは上記になっています）、",
    "変換後初期設定の「基本設定」と「環境設定」を再設定してください",
};
// What this conversion does not do: the old layouts of these files are not known here.
const char* const kNotGiven =
    "※ 変換するのは伝票明細・備考文・規格マスター・備考マスターです。伝票・入金・その他のマスター・基本設定は"
    "旧形式が不明のため変換しません";

constexpr int kLeft = 70, kTop = 15, kStep = 22;

QString chooseWithDialog(const QString& pattern, QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), pattern + " (" + pattern + ");;* (*)");
}

}  // namespace

V6toV7Wnd::V6toV7Wnd(AppContext& ctx, Dialogs& dialogs, std::function<void()> endProgram, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), endProgram_(std::move(endProgram)), choose_(chooseWithDialog) {
    setObjectName("V6toV7Wnd");
    setWindowTitle(text("　ﾃﾞｰﾀ変換(Ver6→Ver7)"));
    setFont(QFont("IPAGothic", 10));
    setAutoFillBackground(true);
    for (int i = 0; i < kPickCount; ++i) {
        auto* b = new QPushButton(text(kBases[i]).trimmed(), this);
        b->setGeometry(10, kTop + (3 + i) * kStep, 50, kStep - 2);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] {
            const QString file = choose_(QString::fromLatin1(kPatterns[i]), this);
            if (!file.isEmpty()) convertFrom(file);
        });
        buttons_[i] = b;
    }
}

maintenance::ToolResult V6toV7Wnd::convertFrom(const QString& oldFile) {
    if (dialogs_.ask(msg::kConvertAsk, Buttons::YesNo, Answer::No) != Answer::Yes)
        return maintenance::ToolResult::Stopped;
    status_ = text(msg::kConvertWorking);
    repaint();
    const QFileInfo info(oldFile);
    if (!info.exists()) {
        status_.clear();
        dialogs_.message(msg::kConvertNoFile, Icon::Stop);
        return maintenance::ToolResult::Refused;
    }
    struct Progress : Dialogs {
        V6toV7Wnd& w;
        explicit Progress(V6toV7Wnd& wnd) : w(wnd) {}
        void message(std::string_view t, Icon i) override { w.dialogs_.message(t, i); }
        Answer ask(std::string_view t, Buttons b, Answer p, Icon i) override { return w.dialogs_.ask(t, b, p, i); }
        void beep() override { w.dialogs_.beep(); }
        void progress(int, int, std::string_view label) override {
            w.status_ = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
            w.repaint();
        }
    } progress(*this);
    const auto r = maintenance::convertOldYears(ctx_, progress, info.absolutePath().toStdString());
    status_.clear();
    update();
    if (r == maintenance::ToolResult::Restart) {
        dialogs_.message(msg::kConvertEnd, Icon::Information);
        if (endProgram_) endProgram_();
    }
    return r;
}

void V6toV7Wnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(Qt::black);
    int y = kTop;
    auto line = [&](int x, const QString& s) { p.drawText(QRect(x, y, width() - x - 10, kStep), Qt::AlignVCenter, s); };
    for (const char* s : kLines) {
        line(kLeft, text(s));
        y += kStep;
    }
    for (int i = 0; i < kPickCount; ++i) {
        line(kLeft, text(kBases[i]) + text(".ET2 ") + text(kKinds[i]));
        y += kStep;
    }
    y += kStep / 2;
    for (const char* s : kAfter) {
        line(kLeft, text(s));
        y += kStep;
    }
    y += kStep / 2;
    p.setPen(Qt::darkRed);
    p.drawText(QRect(kLeft, y, width() - kLeft - 10, 2 * kStep), Qt::TextWordWrap, text(kNotGiven));
    if (!status_.isEmpty()) {
        const QRect box(kLeft + 200, 120, 320, 60);
        p.fillRect(box, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.drawText(box, Qt::AlignCenter, status_);
    }
}

}  // namespace rk::ui
