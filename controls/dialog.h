#pragma once
// Base of the application's dialogs: Return and Enter never trigger a button (edits commit on
// editingFinished instead), and it remembers whether it was shown, so that a dialog saves its
// geometry at the end of the run only when the user has actually seen it. It opens within the
// screen. It calls retranslate on every language change.
#include <QDialog>

class Dialog : public QDialog
{
    Q_OBJECT
public:
    explicit Dialog(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    bool hasBeenShown() const { return m_hasBeenShown; }
    // Shows it no larger than the screen, whatever size it was built or restored at.
    void setVisible(bool visible) override;

protected:
    // The widget to lay the dialog's contents out on: it sits in a frameless scroll area that
    // fills the dialog, so contents taller than a small screen (150 %) scroll rather than
    // push the dialog's buttons past the screen's edge. Where the screen has room, the first
    // show makes the dialog large enough for the whole body. Call once, before laying out.
    QWidget *createScrollingBody();
    // Called on every show once the style sheet has sized the contents, before the first show
    // sizes the dialog to its body: the place to set widths that follow fonts and captions.
    virtual void fitBody() {}
    // Names every text again: called on each language change.
    virtual void retranslate() {}
    void changeEvent(QEvent *event) override;

    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_hasBeenShown = false;
    QWidget *m_body = nullptr;
};
