#pragma once

#include "core/FixtureLibrary.h"

#include <QDialog>

#include <atomic>
#include <memory>

class FixtureEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QThread;

namespace ui {
class Dialogs;
}

namespace fixtureedit {

class LibraryModel;
class LibraryPreview;

// "Fixture Library": every fixture definition and fixture setup file of the QLC+ folders and
// the technician's own folders, found by typing a few letters. The search box keeps the focus;
// Up and Down move in the results, Enter imports the chosen definition (through the import
// dialog, with the mode chosen in the preview) or opens the chosen fixture setup file, both
// after the editor's unsaved-changes question; Escape closes. The folders are indexed in the
// background each time the window opens, from the cache for files that did not change.
class LibraryBrowser : public QDialog {
    Q_OBJECT
public:
    // Where the library lives: the fixed folders, the settings file that keeps the technician's
    // folders, and the cache folder.
    struct Places {
        std::vector<fx::LibrarySource> fixed;
        QString settingsFile;
        QString cacheFolder;
        static Places standard();
    };

    LibraryBrowser(FixtureEdit& editor, ui::Dialogs& dialogs, Places places);
    ~LibraryBrowser() override;

    // The editor's one browser, made at its first use with the standard places, shown.
    static LibraryBrowser* showFor(FixtureEdit& editor, ui::Dialogs& dialogs);

    // Indexes the folders again (in the background); the results follow when it is done.
    void refresh();
    bool isIndexing() const { return m_thread != nullptr; }
    // The technician's folders as the settings file keeps them.
    QStringList ownFolders() const;

signals:
    void indexed(); // an index was built and is shown

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void indexDone();
    void currentChanged();
    void activateCurrent();
    void addFolder();
    void removeFolder();
    void fillFolders();
    void setOwnFolders(const QStringList& folders);
    void stopIndexing();

    FixtureEdit& m_editor;
    ui::Dialogs& m_dialogs;
    Places m_places;
    LibraryModel* m_model = nullptr;
    LibraryPreview* m_preview = nullptr;
    QLineEdit* m_search = nullptr;
    QTableView* m_view = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_use = nullptr; // "Import" or "Open"
    QComboBox* m_folders = nullptr;
    QPushButton* m_remove = nullptr;

    // The index being built: the thread, what it has done, and its result when finished.
    QThread* m_thread = nullptr;
    struct Job {
        std::atomic<std::size_t> done{0}, total{0};
        std::atomic<bool> stop{false};
        std::shared_ptr<fx::LibraryIndex> result;
    };
    std::shared_ptr<Job> m_job;
    bool m_selectOnActivation = false;
    bool m_again = false; // the folders changed while indexing: index once more
};

} // namespace fixtureedit
