#pragma once
// A small modal dialog ("inputDialog") with a text and one or two check boxes, for
// questions that carry an option.
#include "dialog.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;

class CheckInputDialog final : public Dialog
{
    Q_OBJECT
public:
    struct Result {
        bool first = false;
        bool second = false;
        bool accepted = false;
    };

    // The second box is shown only when secondText is not empty.
    CheckInputDialog(const QString &title, const QString &text, const QString &firstText, bool firstChecked,
                     const QString &secondText = QString(), bool secondChecked = false, QWidget *parent = nullptr);

    static Result getChecks(QWidget *parent, const QString &title, const QString &text, const QString &firstText,
                            bool firstChecked, const QString &secondText = QString(), bool secondChecked = false);

    QCheckBox *firstBox() const { return m_first; }
    QCheckBox *secondBox() const { return m_second; }

private:
    QCheckBox *m_first = nullptr;
    QCheckBox *m_second = nullptr;
};
