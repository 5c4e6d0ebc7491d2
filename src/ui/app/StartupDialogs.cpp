#include "ui/app/StartupDialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/messages.h"

namespace rk::ui {

NewDataDialog::NewDataDialog(std::function<void()> explain, bool settingsAvailable, bool conversionAvailable,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName("NewDataDialog");
    setWindowTitle(QApplication::applicationDisplayName());
    auto* text = new QLabel(QString::fromUtf8(msg::kNewDataText));
    text->setFont(QFont("IPAGothic", 11));
    auto* row = new QHBoxLayout;
    const char* captions[5] = {"解　説", "再設定", "新規作成", "ｷｬﾝｾﾙ", "旧ﾃﾞｰﾀ変換"};
    for (int i = 0; i < 5; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]));
        buttons_[i]->setAutoDefault(false);
        row->addWidget(buttons_[i]);
    }
    buttons_[1]->setDefault(true);
    buttons_[0]->setEnabled(static_cast<bool>(explain));
    buttons_[1]->setEnabled(settingsAvailable);
    buttons_[4]->setEnabled(conversionAvailable);
    if (!settingsAvailable) buttons_[2]->setDefault(true);
    connect(buttons_[0], &QPushButton::clicked, this, [explain] {
        if (explain) explain();
    });
    auto choose = [this](StartupPrompts::NewData c) {
        return [this, c] {
            choice_ = c;
            accept();
        };
    };
    connect(buttons_[1], &QPushButton::clicked, this, choose(StartupPrompts::NewData::Reconfigure));
    connect(buttons_[2], &QPushButton::clicked, this, choose(StartupPrompts::NewData::Create));
    connect(buttons_[3], &QPushButton::clicked, this, choose(StartupPrompts::NewData::Cancel));
    connect(buttons_[4], &QPushButton::clicked, this, choose(StartupPrompts::NewData::Convert));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
}

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("PasswordDialog");
    setWindowTitle(QString::fromUtf8(msg::kPasswordTitle));
    auto* text = new QLabel(QString::fromUtf8(msg::kPasswordText));
    field_ = new QLineEdit;
    field_->setEchoMode(QLineEdit::Password);
    field_->setAttribute(Qt::WA_InputMethodEnabled, false);
    auto* ok = new QPushButton("OK");
    auto* cancel = new QPushButton("キャンセル");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(field_);
    layout->addLayout(buttons);
}

QString PasswordDialog::typed() const { return field_->text(); }

StartupPrompts::NewData GuiStartupPrompts::newData() {
    NewDataDialog d(explain, static_cast<bool>(openBasicSettings), static_cast<bool>(openConversion), parent_);
    if (d.exec() != QDialog::Accepted) return NewData::Cancel;
    return d.choice();
}

std::optional<std::string> GuiStartupPrompts::password() {
    PasswordDialog d(parent_);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.typed().toStdString();
}

}  // namespace rk::ui
