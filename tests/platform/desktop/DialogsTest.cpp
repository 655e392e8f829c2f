#include "platform/desktop/Dialogs.h"

#include "TemporaryFiles.h"
#include "platform/desktop/Graphics.h"
#include "platform/testing/DesktopDialogDriver.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::testing {

void PrintTo(const ListedEntry& entry, std::ostream* out) {
    *out << entry.name << " (" << entry.type << ")";
}

namespace {

// The kernel's record of every entry of a folder that anyone opens while it lives.
class OpenedEntries {
  public:
    explicit OpenedEntries(const std::string& folder)
        : m_queue(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        m_watching = m_queue >= 0 && ::inotify_add_watch(m_queue, folder.c_str(), IN_OPEN) >= 0;
    }
    ~OpenedEntries() {
        if (m_queue >= 0)
            ::close(m_queue);
    }
    OpenedEntries(const OpenedEntries&) = delete;
    OpenedEntries& operator=(const OpenedEntries&) = delete;
    bool watching() const { return m_watching; }

    // The names of the entries opened so far; the folder's own opening, to list it, has none.
    std::vector<std::string> names() {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t size; (size = ::read(m_queue, buffer, sizeof buffer)) > 0;)
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0)
                    m_names.emplace_back(event->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        return m_names;
    }

  private:
    int m_queue;
    bool m_watching = false;
    std::vector<std::string> m_names;
};

// A folder of entries whose types the toolkit would guess from their first bytes (text files
// with no extension), one with a known extension, a subfolder, and a FIFO that no process
// writes to, whose opening for a read would wait for ever.
class ListedFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& [name, text] :
             {std::pair{"notes", "Raters agree.\n"}, std::pair{"ratings", "3\t3\n6\t0\n"},
              std::pair{"data.txt", "1\t5\n"}})
            std::ofstream(folder.path() + "/" + name) << text;
        ASSERT_EQ(::mkdir((folder.path() + "/sub").c_str(), 0700), 0);
        ASSERT_EQ(::mkfifo((folder.path() + "/pipe").c_str(), 0600), 0);
        opened = std::make_unique<OpenedEntries>(folder.path());
        ASSERT_TRUE(opened->watching());
    }

    // What the file dialog lists: every entry but the FIFO, which it leaves out as a system
    // file; the types of files without an extension come from nothing but their names.
    static void ExpectListed(const std::vector<ListedEntry>& entries) {
        ASSERT_EQ(entries.size(), 4u);
        EXPECT_EQ(entries[0].name, "data.txt");
        EXPECT_NE(entries[0].type, "");
        EXPECT_EQ(entries[1], (ListedEntry{"notes", "File"}));
        EXPECT_EQ(entries[2], (ListedEntry{"ratings", "File"}));
        EXPECT_EQ(entries[3], (ListedEntry{"sub", "Folder"}));
    }

    TemporaryFolder folder;
    // Watched once the folder is filled.
    std::unique_ptr<OpenedEntries> opened;
};

// The user goes to the folder by typing it, then chooses a file by typing its name: the dialog
// keeps its "text (*)" filter and its keys, returns the chosen path, and opens nothing it lists.
TEST_F(ListedFolder, TheOpenFileDialogListsItWithoutOpeningAnEntry) {
    DesktopDialogDriver driver;
    driver.QueueFileDialog(folder.path(), "ratings");
    const std::optional<FolderItem> chosen = GetOpenFolderItem("text");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->NativePath(), folder.path() + "/ratings");
    ASSERT_EQ(driver.fileDialogs.size(), 1u);
    EXPECT_EQ(driver.fileDialogs[0].filter, "text (*)");
    ExpectListed(driver.fileDialogs[0].entries);
    EXPECT_EQ(opened->names(), std::vector<std::string>{});
    EXPECT_EQ(driver.unanswered, std::vector<std::string>{});
}

// The print dialog's output-file field completes names from the home folder, and its Browse
// button opens a file dialog that the toolkit makes by itself: neither opens an entry.
TEST_F(ListedFolder, ThePrintDialogListsItAsTheHomeFolderWithoutOpeningAnEntry) {
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("HOME", folder.path().c_str(), 1);
    DesktopDialogDriver driver;
    driver.QueuePrintDialog({.browse = true});
    driver.QueueFileDialog(folder.path(), std::nullopt);
    const bool printed = OpenPrinterDialog() != nullptr;
    if (home)
        ::setenv("HOME", savedHome.c_str(), 1);
    else
        ::unsetenv("HOME");

    EXPECT_FALSE(printed);
    ASSERT_EQ(driver.printDialogHomes.size(), 1u);
    ExpectListed(driver.printDialogHomes[0]);
    ASSERT_EQ(driver.fileDialogs.size(), 1u);
    ExpectListed(driver.fileDialogs[0].entries);
    EXPECT_EQ(opened->names(), std::vector<std::string>{});
    EXPECT_EQ(driver.unanswered, std::vector<std::string>{});
}

// The user prints to a file, types the name of a listed file without an extension into the
// output-file field and presses Browse: the file dialog comes up in that folder with that name,
// and once the user chooses an existing file, takes it without asking and puts it into the field.
// Nothing it lists is opened, the pre-selected file included.
TEST_F(ListedFolder, ThePrintDialogsBrowseOpensNoEntryAlsoWhenTheFieldNamesOne) {
    DesktopDialogDriver driver;
    driver.QueuePrintDialog({.outputFile = folder.path() + "/ratings", .browse = true});
    driver.QueueFileDialog(folder.path(), "notes");
    EXPECT_EQ(OpenPrinterDialog(), nullptr);

    ASSERT_EQ(driver.fileDialogs.size(), 1u);
    EXPECT_EQ(driver.fileDialogs[0].title, "Print To File ...");
    EXPECT_EQ(driver.fileDialogs[0].initialName, "ratings");
    ExpectListed(driver.fileDialogs[0].entries);
    EXPECT_EQ(driver.printDialogOutputs, std::vector<std::string>{folder.path() + "/notes"});
    EXPECT_EQ(opened->names(), std::vector<std::string>{});
    EXPECT_EQ(driver.unanswered, std::vector<std::string>{});
}

} // namespace
} // namespace platform::testing
