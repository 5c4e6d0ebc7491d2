// The print form settings window ("　印刷フォーム設定"): lines per page, margins, character
// sizes and list sizes of "PRINT.DAT", and the fonts of printed and faxed documents. The
// file is written, with its ranges enforced, when the window closes.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "printing/print_form.h"
#include "ui/settings/SettingsFieldView.h"

class QFont;
class QPushButton;

namespace rk::ui {

class PrintSizeWnd : public SettingsFieldView {
    Q_OBJECT
public:
    enum Button { kUpdate, kHelp, kTitleFont, kDataFont, kFaxTitleFont, kFaxDataFont, kButtonCount };
    using FontChooser = std::function<std::optional<QFont>(const QFont& current, QWidget* parent)>;
    using GuideOpener = std::function<void(const std::string& topic)>;

    PrintSizeWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);

    const printing::PrintForm& form() const { return form_; }
    QPushButton* button(Button b) const { return buttons_[b]; }
    void setFontChooser(FontChooser chooser) { chooseFont_ = std::move(chooser); }
    QSize sizeHint() const override { return {410, 430}; }

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void pickFont(printing::LogFont& font, bool fax);
    void closeWindow();

    printing::PrintForm form_;
    printing::FaxFonts fax_;
    bool saved_ = false;
    FontChooser chooseFont_;
    GuideOpener guide_;
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
