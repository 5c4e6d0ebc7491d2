// The basic settings view: the fields of the settings record, the data password, the data
// folder chooser and the network role, edited on a private copy until 更新 saves them.
#pragma once

#include "app/basic_settings.h"
#include "app/invoice_settings.h"
#include "ui/settings/SettingsFieldView.h"

class QComboBox;
class QPainter;
class QPushButton;

namespace rk::ui {

class FkihonView : public SettingsFieldView {
    Q_OBJECT
public:
    static constexpr int kYear = 0, kFirstMonth = 1, kName = 2, kDataFolder = 8, kTaxRate = 9;
    static constexpr int kCurrentPassword = 10, kNewPassword = 11, kMemberNumber = 12;
    // The qualified-invoice group below the network role.
    static constexpr int kRegistrationNumber = 13, kQualified = 14;

    FkihonView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    const BasicSettings& edited() const { return edited_; }
    const InvoiceSettings& editedInvoice() const { return invoice_; }
    QComboBox* folderChooser() const { return folder_; }
    QPushButton* button(int index) const { return buttons_[index]; }  // 解説, 更新, 復旧
    // The chooser's list for a confirmed folder text (an empty text lists the file systems).
    void listFolders(const QString& text);
    // 更新(F5): runs once.
    void save();
    void restore();
    void setLanMode(int mode);
    // The qualified-invoice switch (refused with a message while no number is entered).
    void setQualified(bool on);
    // Commands 1324 / 1325: the data folder found by choosing this (7) or the previous (6)
    // version's customer master in a file dialog.
    void findDataFolder(int version);
    // The folder part of a chosen file becomes the data folder text.
    void takeFolderOf(const QString& chosenFile);

signals:
    void closeRequested();  // saved, nothing needs a restart
    void endRequested();    // the program must end
    void helpRequested();

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void addTextField(int y, char* text, int size, int length);
    void addInvoiceFields();
    void paintInvoiceGroup(QPainter& p);
    void takeFolderText();
    void move(int index, controls::Key key);

    BasicSettings edited_;
    InvoiceSettings invoiceRead_, invoice_;  // as read when the window opened, as edited
    char typedNumber_[24] = {};              // the registration number field's text (Shift-JIS)
    bool numberRefused_ = false;
    int32_t typedCurrent_ = 0, typedNew_ = 0;
    bool saved_ = false;
    QComboBox* folder_;
    QPushButton* buttons_[3];
};

}  // namespace rk::ui
