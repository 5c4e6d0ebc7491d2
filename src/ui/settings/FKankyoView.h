// The environment settings view: posting codes and cost names, the account lookup, the
// option lists and check boxes, the colours and the automatic-backup marker.
#pragma once

#include <vector>

#include "app/environment_block.h"
#include "settings/environment_edit.h"
#include "ui/settings/SettingsFieldView.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace rk::ui {

class FKankyoView : public SettingsFieldView {
    Q_OBJECT
public:
    enum List { kInputPoint, kBoxCount, kSkipLine, kAutoBox, kVerticalRule, kCustomerCount, kListCount };
    enum Check { kWarnRemark, kShowRecords, kShowPacking, kCheckCount };
    enum Button { kHelp, kSave, kColour1, kColour2, kColour3, kDefaultColours, kButtonCount };

    FKankyoView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    const EnvironmentBlock& edited() const { return env_; }
    // The field index of a posting row's debit or credit code.
    int codeField(int row, bool credit) const { return codeFields_[row][credit ? 1 : 0]; }
    QComboBox* list(List l) const { return lists_[l]; }
    QCheckBox* check(Check c) const { return checks_[c]; }
    QPushButton* button(Button b) const { return buttons_[b]; }
    QComboBox* accountLookup() const { return lookup_; }

    // Lists the accounts whose name holds the text; false when the account file cannot be opened.
    bool lookUp(const QString& text);
    // Puts the code of a lookup entry into the code field worked on last.
    void chooseAccount(int index);
    // Saves the block; false when the operator declined or the write failed.
    bool save();
    void chooseColour(int n);
    void defaultColours();
    // Alt+S / Alt+D.
    void toggleAutoBackup();
    void toggleCheckMode();

signals:
    void closeRequested();
    void endRequested();
    void helpRequested();
    void coloursChanged();

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QComboBox* addList(List l, int y, const char* caption, const QStringList& items, int selected);

    EnvironmentBlock opened_;  // the running block as the window opened on it
    EnvironmentBlock env_;
    int codeFields_[9][2];
    int lastCodeField_ = 0;
    std::vector<settings::AccountMatch> matches_;
    bool saved_ = false;
    QComboBox* lookup_;
    QComboBox* lists_[kListCount] = {};
    QCheckBox* checks_[kCheckCount] = {};
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
