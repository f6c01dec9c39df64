#pragma once
// The module pages: a column of module buttons beside a stack of pages, one per row of the
// page table (PageSpecs). It tells the poller which page is on show (and that page's
// channel), hands the variant masks and labels to every page, and owns the undo history of
// the pages' edits. The pages bind and subscribe on their own.
#include "modulepage.h"
#include "widget.h"

#include <QVector>
#include <functional>

class DataModel;
class EditHistory;
class QButtonGroup;
class QPushButton;
class QStackedWidget;

class ModuleWidget final : public Widget
{
    Q_OBJECT
public:
    // progress receives 55..95 while the pages are built (the splash screen).
    explicit ModuleWidget(DataModel *dm, QWidget *parent = nullptr,
                          const std::function<void(int)> &progress = std::function<void(int)>());

    int pageCount() const { return m_pages.size(); }
    ModulePage *page(int index) const { return m_pages.value(index); }
    int indexOf(const ModulePage *page) const { return m_pages.indexOf(const_cast<ModulePage *>(page)); }
    // The first page of class P (on side, where it matters).
    template <class P>
    P *find(ModulePage::Side side = ModulePage::Side::Both) const
    {
        for (ModulePage *p : m_pages)
            if (auto *page = qobject_cast<P *>(p))
                if (side == ModulePage::Side::Both || p->side() == side)
                    return page;
        return nullptr;
    }
    QPushButton *moduleButton(int index) const;
    QStackedWidget *stack() const { return m_stack; }
    EditHistory *history() const { return m_history; }
    int currentIndex() const;

    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);
    // A label changed (channel -1: all of that side).
    void inputLabelChanged(int channel);
    void outputLabelChanged(int channel);

public slots:
    void stackedButtonClicked(int id);
    // The USB dialog switched inputs 1 and 2 to USB.
    void updateInSetupSwitchToUSB();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    DataModel *m_dm;
    QButtonGroup *m_buttons = nullptr;
    QStackedWidget *m_stack = nullptr;
    QVector<ModulePage *> m_pages;
    EditHistory *m_history = nullptr;
};
