#pragma once
// One page of the command assistant: it builds a command from what the user picked and hands
// it to the dialog, which shows it and may send it. Pages name their texts again when the
// language changes.
#include "catalogue.h"
#include "widget.h"

#include <initializer_list>

class QGroupBox;

class CommandPage : public Widget
{
    Q_OBJECT
signals:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);

public slots:
    virtual void generateButtonClicked() = 0;

protected:
    explicit CommandPage(QWidget *parent);

    void generate(proto::MessageKey key, const QByteArray &payload);
    // A titled group filling the page with the given widgets in one row, left-aligned.
    QGroupBox *boxedRow(std::initializer_list<QWidget *> widgets);
    // Called by the page's constructor and on every language change.
    virtual void retranslate() = 0;
    void changeEvent(QEvent *event) override;
};
