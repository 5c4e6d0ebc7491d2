// The field strip above a table: numbered fields 1..n edited one at a time with the shared
// entry field (the others painted in white boxes, a click on one enters it) and a row of
// buttons found by their captions.
#pragma once

#include <QWidget>
#include <functional>

#include "base/dialogs.h"
#include "controls/entry_field.h"
#include "controls/keys.h"

class QPushButton;

namespace rk::ui {

class CDataEdit;

class TableFieldsView : public QWidget {
    Q_OBJECT
public:
    int field() const { return field_; }
    CDataEdit* edit() const { return edit_; }
    QPushButton* button(const QString& caption) const;
    // Starts editing field 1..n (clamped) with its current value.
    void enterField(int field);

protected:
    TableFieldsView(QWidget* parent, Dialogs& dialogs, int fieldCount);

    virtual QRect valueRect(int field) const = 0;
    // Where a click enters the field (the value box unless a view says more).
    virtual QRect hitRect(int field) const { return valueRect(field); }
    virtual int fieldValue(int field) const = 0;
    // The entry field of a field: a four-digit number unless a view says otherwise (a text
    // field points the config at its own buffer).
    virtual controls::EntryConfig fieldConfig(int field) const;
    virtual QString fieldText(int field) const = 0;
    // The input of the current field ended with `key`.
    virtual void finished(controls::Key key) = 0;

    QPushButton* addButton(const char* caption, QRect rect, std::function<void()> action);
    // The white boxes and, except under the open entry field, their texts.
    void paintFields(QPainter& p) const;
    void mousePressEvent(QMouseEvent* e) override;
    static QString dateText(int monthDay);

    int field_ = 1;
    CDataEdit* edit_ = nullptr;

private:
    Dialogs& dialogs_;
    int fieldCount_;
};

}  // namespace rk::ui
