#pragma once
// A small modal dialog ("inputDialog") asking for two texts, such as a new password and its
// confirmation.
#include "dialog.h"

#include <QLineEdit>

class LineEdit;
class QDialogButtonBox;
class QLabel;

class TwoFieldInputDialog final : public Dialog
{
    Q_OBJECT
public:
    struct Result {
        QString first;
        QString second;
        bool accepted = false;
    };

    TwoFieldInputDialog(const QString &title, const QString &firstLabel, const QString &secondLabel,
                        int maxLength, QLineEdit::EchoMode echo, QWidget *parent = nullptr);

    // Runs the dialog modally.
    static Result getTexts(QWidget *parent, const QString &title, const QString &firstLabel,
                           const QString &secondLabel, int maxLength, QLineEdit::EchoMode echo);

    LineEdit *firstEdit() const { return m_first; }
    LineEdit *secondEdit() const { return m_second; }

private:
    LineEdit *m_first = nullptr;
    LineEdit *m_second = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
