// The home-delivery slip window ("　宅配伝票"): the chain of consignments of the slip entry's
// current line, with the address-book search, copy and paste, and recording. The line's first
// record number goes into the open slip; the slip itself is recorded by slip entry.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "slips/CFq7Doc.h"
#include "slips/home_delivery_chain.h"
#include "ui/app/CommandTarget.h"

class QPushButton;

namespace rk::ui {

class CMojiList;
class FTakuhaiView;

class FTakuhaiWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    // Opens on line `line` of the document's slip; nullptr (after the message) when the chain
    // cannot be read.
    static FTakuhaiWnd* open(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, int line, QWidget* parent = nullptr);

    // The keyboard to the field being typed (or the search list), once the window is shown.
    void takeKeyboard();

    void setGuideOpener(std::function<void(const std::string&)> opener) { guide_ = std::move(opener); }

    delivery::Chain& chain() { return *chain_; }
    FTakuhaiView* view() const { return view_; }
    CMojiList* searchList() const { return search_; }
    QPushButton* button(const QString& caption) const;

    // The commands of the buttons and keys.
    void nextSlip();
    void previousSlip();
    void deleteSlip();
    void clearAll();
    void copySlip();
    void pasteSlip();
    void searchBook();
    void recordChain();
    void explain();

    bool onCommand(int command) override;

signals:
    // The line's chain changed in the document (recorded or detached).
    void lineChanged();

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    FTakuhaiWnd(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, int line, QWidget* parent);
    // Around a command that changes the current slip: the field's input is kept first, and
    // the field is made again on the slip shown afterwards.
    template <class F>
    void changing(F&& f);
    void refresh();
    void closeWindow();

    AppContext& ctx_;
    Dialogs& dialogs_;
    CFq7Doc& doc_;
    int line_;
    std::unique_ptr<delivery::Chain> chain_;
    FTakuhaiView* view_;
    CMojiList* search_ = nullptr;
    std::function<void(const std::string&)> guide_;
};

}  // namespace rk::ui
