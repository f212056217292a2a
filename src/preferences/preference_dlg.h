// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

class CIconListBox;
class CPlayerSettings;
class QDialogButtonBox;
class QGroupBox;
class QStackedWidget;

// The preferences sheet: the page names with their icons in a list on the
// left, the chosen page in a captioned frame beside it, and OK, Cancel,
// Apply and Help. Pages are applied in order by OK and Apply; Cancel
// discards what they hold. A language change relabels the open sheet.
class CPreferenceDlg : public QDialog {
    Q_OBJECT
public:
    // showHelp opens the help page about the preferences.
    CPreferenceDlg(CPlayerSettings& settings, std::function<void()> showHelp, QWidget* parent = nullptr);

    // Sets every text of the sheet and its pages in the current interface
    // language and fits the page list to the names.
    void Relabel();
    int ActivePage() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void RelabelButtons();
    // A page is any widget with OnApply, IsModified and a modifiedChanged
    // signal; one with Relabel is relabelled with the sheet.
    template <class Page>
    void AddPage(Page* page, int nameStringId);
    // Puts the page just added in the stack and its row, with the icon of
    // the same index, in the list.
    void AddPageWidget(QWidget* page);
    void SetActivePage(int index);
    void UpdateApplyButton();
    // Applies every page shown so far, in order; false when one refuses.
    bool ApplyPages();
    void OnOK();

    struct CSheetPage {
        QWidget* widget = nullptr;
        int nameStringId = 0;
        std::function<bool()> apply;
        std::function<bool()> isModified;
        std::function<void()> relabel;
        bool shown = false;
    };
    std::vector<CSheetPage> m_pages;
    CIconListBox* m_lstPages;
    QGroupBox* m_grpCaption;
    QStackedWidget* m_stkPages;
    QDialogButtonBox* m_buttons;
    std::function<void()> m_showHelp;
};

template <class Page>
void CPreferenceDlg::AddPage(Page* page, int nameStringId)
{
    CSheetPage entry;
    entry.widget = page;
    entry.nameStringId = nameStringId;
    entry.apply = [page] { return page->OnApply(); };
    entry.isModified = [page] { return page->IsModified(); };
    if constexpr (requires { page->Relabel(); })
        entry.relabel = [page] { page->Relabel(); };
    connect(page, &Page::modifiedChanged, this, &CPreferenceDlg::UpdateApplyButton);
    m_pages.push_back(std::move(entry));
    AddPageWidget(page);
}
