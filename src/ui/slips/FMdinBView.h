// The line grid of the slip entry window: 99 goods lines of two rows each. One entry field at
// a time edits the current (line, field); the key that ends it decides where the cursor goes.
#pragma once

#include <QWidget>
#include <map>
#include <vector>

#include "app/app_context.h"
#include "controls/keys.h"
#include "slips/master_lists.h"

namespace rk::ui {

class CDataEdit;
class CMojiList;
class FMdinWnd;

class FMdinBView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 1000;
    static constexpr int kUnitX = 608, kTextX = 800;

    explicit FMdinBView(FMdinWnd& wnd);

    void enter(int line, int field);
    void leave();
    int field() const { return field_; }
    int line() const { return line_; }
    CDataEdit* edit() const { return edit_; }
    CMojiList* pickList() const { return pick_; }
    // Fields that take text: there copy and paste work on the text instead of whole lines.
    bool textField() const;
    static QRect fieldRect(int field);  // within a line's 58-pixel band
    static QRect captionRect(int field);
    static QString caption(const AppContext& ctx, int field);
    static const char* prompt(Edition e, int field);

    // --- the commands of the footer buttons (on the current line) ---
    void insertLine();
    void deleteLine();
    void copyLine();
    void reduceTax();
    void boxKey(int kind);
    // F12: the master list of the current field (the sales method shows its codes instead).
    void masterReference();
    // "文字検索": the masters whose name holds the text typed into the current field.
    void characterSearch();
    // Shift+Up / Shift+Down: the mark of the current line flips.
    void toggleMark();
    // Copy of the marked lines to the line file, and their paste from the current line on.
    void copyMarked();
    void pasteLines();
    void sortLines();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void finished(controls::Key k);
    bool store(controls::Key k);
    void storeValue(int field, int32_t v, double n, controls::Key k);
    // Where the cursor goes after the field ended with `k`.
    void navigate(controls::Key k, bool stored);
    // `preselect` is the row a reference list opens on; -1 for a search, which remembers none.
    void openPick(const std::vector<PickEntry>& entries, MasterKind kind, int askedFrom, int preselect);
    void picked(const controls::ListResult& r);
    void openGradeSearch();
    void runGradeSearch();
    void packingChoice();
    bool eventFilter(QObject* o, QEvent* e) override;
    void move(int line, int field);
    int settledSkip(int field, bool forward) const;

    FMdinWnd& wnd_;
    int line_ = 1;
    int field_ = 1;
    int next_ = 0;  // the field Enter goes to after a store that chose one
    CDataEdit* edit_ = nullptr;
    CMojiList* pick_ = nullptr;
    CDataEdit* gradeSearch_ = nullptr;  // search text over a grade name
    char gradeText_[18]{};
    std::vector<PickEntry> pickEntries_;
    MasterKind pickKind_ = MasterKind::None;
    int pickFrom_ = 0;  // the field the list was asked from
    int pickPreselect_ = -1;
    std::map<MasterKind, int> lastChosen_;  // the row each list opens on
    char textBuffer_[32]{};
};

}  // namespace rk::ui
