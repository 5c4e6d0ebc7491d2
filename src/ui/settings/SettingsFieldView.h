// A view of fixed fields edited one at a time with the shared entry field: the current field
// gets an entry field over its rectangle, the others are painted in their boxes, and a click
// on a field's box makes it current. A field may instead be a child widget of the view (a
// combo box), which then simply takes the focus.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/entry_field.h"

class QPainter;

namespace rk::ui {

class CDataEdit;

class SettingsFieldView : public QWidget {
    Q_OBJECT
public:
    struct Field {
        QRect rect;
        std::function<controls::EntryConfig()> config{};
        std::function<void(const CDataEdit&)> store{};  // the input ended: keep the value
        std::function<QString()> shown{};               // painted while the field is not current
        QWidget* widget = nullptr;                      // instead of an entry field
        bool masked = false;                            // typed digits show as "**** "
    };

    SettingsFieldView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    int current() const { return current_; }
    CDataEdit* edit() const { return edit_; }
    // Makes a field current (the current one keeps its input first).
    void setCurrent(int index);
    // Keeps what was typed into the current field; the field stays current.
    void commit();

signals:
    void fieldChanged(int index);

protected:
    int addField(Field f);
    // The input of a field ended with `key`: decide where to go.
    virtual void fieldExited(int index, controls::Key key) = 0;
    void paintFields(QPainter& p) const;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

    AppContext& ctx_;
    Dialogs& dialogs_;

private:
    void dropEdit();

    std::vector<Field> fields_;
    int current_ = -1;
    CDataEdit* edit_ = nullptr;
};

}  // namespace rk::ui
