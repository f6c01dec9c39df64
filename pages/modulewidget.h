#pragma once
// The module pages: a column of module buttons beside a stack of pages, one per row of the
// page table (PageSpecs). It tells the poller which page is on show (and that page's
// channel), hands the variant masks and labels to every page, and owns the undo history of
// the pages' edits. The pages bind and subscribe on their own. A page is built when it is
// first shown or asked for (the first page at once); it then reads what the model holds.
#include "modulepage.h"
#include "widget.h"

#include <QVector>
#include <array>
#include <functional>

class DataModel;
struct ParameterEdit;
class EditHistory;
class QButtonGroup;
class QPushButton;
class QStackedWidget;

class ModuleWidget final : public Widget
{
    Q_OBJECT
public:
    // progress receives 55..95 while the first page is built (the splash screen).
    explicit ModuleWidget(DataModel *dm, QWidget *parent = nullptr,
                          const std::function<void(int)> &progress = std::function<void(int)>());

    int pageCount() const { return m_pages.size(); }
    // Builds the page if it is not built yet.
    ModulePage *page(int index) const;
    bool isBuilt(int index) const { return m_pages.value(index) != nullptr; }
    int indexOf(const ModulePage *page) const { return m_pages.indexOf(const_cast<ModulePage *>(page)); }
    // The first page of class P (on side, where it matters); builds the pages it looks at.
    template <class P>
    P *find(ModulePage::Side side = ModulePage::Side::Both) const
    {
        for (int i = 0; i < m_pages.size(); ++i)
            if (auto *p = qobject_cast<P *>(page(i)))
                if (side == ModulePage::Side::Both || p->side() == side)
                    return p;
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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();
    // Builds the pages that show the edit's value, where not built yet.
    void buildPagesShowing(const ParameterEdit &e) const;

    DataModel *m_dm;
    QButtonGroup *m_buttons = nullptr;
    QStackedWidget *m_stack = nullptr;
    // Null for a page not built yet; the stack holds an empty placeholder at its index.
    mutable QVector<ModulePage *> m_pages;
    std::array<quint16, 4> m_masks{};
    bool m_masksSet = false;
    EditHistory *m_history = nullptr;
};
