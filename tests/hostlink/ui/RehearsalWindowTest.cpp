// The window's rehearsal, offscreen: the window starts its virtual hosts
// (tavrin-virtual-host, as child processes) on 127.0.0.1, downloads a show
// from the Download dialog and loads a field of three hosts from Load All
// Hosts, and each host received the grid's frames byte for byte; the host
// told to refuse a cue shows the field's message for it. Every datagram the
// dialogs send is watched: any to another address than 127.0.0.1, or to
// another port than its host code's, fails the test.
#include "editor/ui/ConverterDlg.h"
#include "hostlink/Frames.h"
#include "hostlink/HostLinkSocket.h"
#include "hostlink/Rehearsal.h"
#include "hostlink/RehearsalHosts.h"
#include "hostlink/ui/DownloadDlg.h"
#include "hostlink/ui/HostPlanDlg.h"
#include "hostlink/ui/HostSettingsDlg.h"
#include "hostlink/ui/LoadAllHostsDlg.h"
#include "hostlink/ui/VirtualHostsDlg.h"
#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/RehearsalStrings.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/PassThroughLink.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <mutex>
#include <nlohmann/json.hpp>

using namespace hostlink;
using namespace hostlinktest;
using dialogtest::Child;
using dialogtest::RunModal;
using dialogtest::WaitUntil;

namespace {

// Where each datagram of the dialogs went, "127.0.0.1:10262", by host code.
struct SentTo
{
    std::mutex mutex;
    std::vector<std::pair<int, std::string>> datagrams;
};

// The socket of a conversation, each send noted with where it goes.
class WatchedSocket final : public PassThroughLink
{
public:
    WatchedSocket(const HostLinkOptions& options, SentTo& sent)
        : PassThroughLink(options), sent_(sent)
    {
    }

    OpenStatus Open(int hostCode) override
    {
        hostCode_ = hostCode;
        return PassThroughLink::Open(hostCode);
    }
    bool Send(std::span<const std::uint8_t> frame) override
    {
        if (Socket().IsOpen()) {
            const std::lock_guard lock(sent_.mutex);
            sent_.datagrams.emplace_back(hostCode_,
                                         platform::udp::FormatEndpoint(Socket().Destination()));
        }
        return PassThroughLink::Send(frame);
    }

private:
    SentTo& sent_;
    int hostCode_ = 0;
};

// The datagrams a virtual host wrote that it received, in order.
std::vector<std::vector<std::uint8_t>> Received(RehearsalHosts& hosts, int code)
{
    std::vector<std::vector<std::uint8_t>> frames;
    for (const std::string& line : hosts.Lines(code)) {
        const nlohmann::json json = nlohmann::json::parse(line, nullptr, false);
        if (!json.is_object() || !json.contains("hex"))
            continue;
        const std::string hex = json["hex"].get<std::string>();
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        frames.push_back(std::move(bytes));
    }
    return frames;
}

template <typename Frame> std::vector<std::uint8_t> BytesOf(const Frame& frame)
{
    return {frame.bytes.begin(), frame.bytes.end()};
}

// What a download of the grid's show sends: the project name, then every cue
// of the grid in its order; the first `cues` of them only, when given.
std::vector<std::vector<std::uint8_t>> Download(const std::vector<show::Cue>& grid,
                                                std::size_t cues = SIZE_MAX)
{
    std::vector<std::vector<std::uint8_t>> frames;
    ProjectNameFrame project;
    EXPECT_TRUE(BuildProjectNameFrame(kProjectName, project));
    frames.push_back(BytesOf(project));
    for (std::size_t i = 0; i < grid.size() && i < cues; ++i) {
        CueFrame cue;
        EXPECT_TRUE(BuildCueFrame(grid[i], PositionOf(i, grid.size()), cue));
        frames.push_back(BytesOf(cue));
    }
    return frames;
}

std::vector<std::vector<std::uint8_t>> Named(const std::string& name)
{
    HostNameFrame frame;
    EXPECT_TRUE(BuildHostNameFrame(name, frame));
    return {BytesOf(frame)};
}

std::vector<std::vector<std::uint8_t>> Then(std::vector<std::vector<std::uint8_t>> first,
                                            const std::vector<std::vector<std::uint8_t>>& next)
{
    first.insert(first.end(), next.begin(), next.end());
    return first;
}

class RehearsalWindow : public ::testing::Test
{
protected:
    RehearsalWindow() : window(prompt) {}

    // Hosts A, B and C at codes `first` on: far from those people use, and
    // each test's own (ctest runs them at the same time).
    void Prepare(int first)
    {
        codeA = first;
        codeB = first + 1;
        codeC = first + 2;
        std::vector<StoreRow> rows =
            NumberedRows(9, [](int id) { return std::string(1, static_cast<char>('A' + id % 3)); });
        for (StoreRow& row : rows) { // a show the check passes
            row.Addr = "1";
            row.Channel = std::to_string(row.FlowID);
        }
        store = MakeShowStore(dir, rows);
        show::ChangeHostPlan(store, {{"A", codeA}, {"B", codeB}, {"C", codeC}}, {});
        // Short waits, and a port nobody listens on: the rehearsal must move
        // every host to its own.
        HostDialogOptions options;
        options.links = EveryHostAt(LoopbackOptions(1, 2000ms));
        options.makeLink = [this](const HostLinkOptions& link) {
            return std::make_unique<WatchedSocket>(link, sent);
        };
        window.SetHostDialogOptions(options);
        window.show();
    }

    QAction& Action(const char* name) { return Child<QAction>(window, name); }
    QString StatusText(const char* name) { return Child<QLabel>(window, name).text(); }

    void ExpectEveryDatagramAtItsRehearsalPort()
    {
        const std::lock_guard lock(sent.mutex);
        EXPECT_FALSE(sent.datagrams.empty());
        for (const auto& [code, to] : sent.datagrams)
            EXPECT_EQ(to, "127.0.0.1:" + std::to_string(10061 + code)) << "host " << code;
    }

    int codeA = 0, codeB = 0, codeC = 0;
    testsupport::TempDir dir;
    std::string store;
    SentTo sent;
    dialogtest::WindowThreadPrompt prompt;
    CConverterDlg window;
};

} // namespace

TEST_F(RehearsalWindow, TheMenuItemTurnsItOnAndOffAndTheWindowSaysSo)
{
    Prepare(221);
    window.OpenStoreFile(store);
    const QString fieldTitle = window.windowTitle();
    EXPECT_FALSE(Action("actionVirtualHosts").isEnabled());
    EXPECT_TRUE(Action("actionRehearsal").isCheckable());

    Action("actionRehearsal").trigger();
    EXPECT_TRUE(window.InRehearsal());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("show.db[*] [Rehearsal] - Corvane-Quillmark"));
    EXPECT_EQ(StatusText("statusRehearsal"), QString::fromUtf8(strings::kRehearsalHostsAt));
    EXPECT_TRUE(Action("actionVirtualHosts").isEnabled());

    Action("actionRehearsal").trigger();
    EXPECT_FALSE(window.InRehearsal());
    EXPECT_EQ(window.windowTitle(), fieldTitle);
    EXPECT_EQ(StatusText("statusRehearsal"), QString());
    EXPECT_FALSE(Action("actionVirtualHosts").isEnabled());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(RehearsalWindow, DownloadsAndLoadsTheFieldFromTheDialogsToItsVirtualHosts)
{
    Prepare(201); // ports 10262 to 10264
    window.OpenStoreFile(store);
    window.SetRehearsal(true);
    const std::vector<show::Cue> grid = window.Show().Cues();
    ASSERT_EQ(grid.size(), 9u);

    // One virtual host per host code of the plan; C refuses the fourth cue.
    RunModal<CVirtualHostsDlg>(
        Action("actionVirtualHosts"), "buttonClose", [&](CVirtualHostsDlg& dialog) {
            auto& table = Child<QTableWidget>(dialog, "hosts");
            ASSERT_EQ(table.rowCount(), 3);
            EXPECT_EQ(table.item(2, 2)->text(), QStringLiteral("127.0.0.1:10264"));
            qobject_cast<QComboBox*>(table.cellWidget(2, 3))
                ->setCurrentIndex(VirtualHostFault::kRefuseCue);
            qobject_cast<QSpinBox*>(table.cellWidget(2, 4))->setValue(4);
            EXPECT_EQ(dialog.OnStart(), 3);
        });
    ASSERT_NE(window.VirtualHosts(), nullptr);
    RehearsalHosts& hosts = *window.VirtualHosts();
    EXPECT_EQ(hosts.Running(), (std::vector<int>{codeA, codeB, codeC}));
    ASSERT_TRUE(prompt.messages.empty()) << prompt.MessageTexts().front();

    // The Download dialog names the address it sends to, and host B gets the show.
    RunModal<CDownloadDlg>(Action("actionDownload"), "buttonClose", [&](CDownloadDlg& dialog) {
        Child<QLineEdit>(dialog, "editHostCode").setText(QString::number(codeB));
        EXPECT_EQ(Child<QLabel>(dialog, "labelRehearsal").text(),
                  QString::fromStdString("Rehearsal: host " + std::to_string(codeB) +
                                         " is at 127.0.0.1:" + std::to_string(10061 + codeB)));
        QSignalSpy finished(&dialog, &CDownloadDlg::DownloadFinished);
        prompt.openFiles.push_back(store);
        dialog.OnDownload();
        ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
        EXPECT_TRUE(finished.front().front().toBool());
    });
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(Received(hosts, codeB), Download(grid));

    // Load All Hosts: every host named and loaded, C refusing its fourth cue.
    RunModal<CLoadAllHostsDlg>(
        Action("actionLoadAllHosts"), "buttonClose", [&](CLoadAllHostsDlg& dialog) {
            EXPECT_EQ(Child<QLabel>(dialog, "labelRehearsal").text(),
                      QString::fromUtf8(strings::kRehearsalHostsAt));
            QSignalSpy finished(&dialog, &CLoadAllHostsDlg::LoadFinished);
            ASSERT_TRUE(dialog.OnStart());
            ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
            EXPECT_FALSE(finished.front().front().toBool());
            auto& table = Child<QTableWidget>(dialog, "hosts");
            ASSERT_EQ(table.rowCount(), 3);
            EXPECT_EQ(table.item(0, 2)->text(), QStringLiteral("127.0.0.1:10262"));
            EXPECT_EQ(table.item(2, 6)->text().toStdString(),
                      messages::FailureText(show::Failure(show::FailureCode::kDownloadCueRefused),
                                            messages::Doing::kDownloading));
            EXPECT_EQ(table.item(0, 6)->text(), QString());
        });
    EXPECT_EQ(Received(hosts, codeA), Then(Named("A"), Download(grid)));
    EXPECT_EQ(Received(hosts, codeB), Then(Then(Download(grid), Named("B")), Download(grid)));
    EXPECT_EQ(Received(hosts, codeC), Then(Named("C"), Download(grid, 4)));
    ExpectEveryDatagramAtItsRehearsalPort();

    // What the rehearsal's hosts got is not what the field's hold.
    EXPECT_EQ(StatusText("statusHosts"),
              QString::fromUtf8(strings::FormatText(strings::kStatusHostsNotCurrent, 3)));

    // Leaving the rehearsal ends its virtual hosts: their ports are free.
    window.SetRehearsal(false);
    EXPECT_EQ(window.VirtualHosts(), nullptr);
    // The children are ended at once; the system may take a moment more to
    // free their ports (wine's server does, after the process is gone).
    std::string error;
    EXPECT_TRUE(WaitUntil([&] {
        VirtualFiringHost again({.port = RehearsalPort(codeA)});
        return again.Start(error);
    })) << error;
}

TEST_F(RehearsalWindow, HostSettingsNamesTheAddressOfTheCodeTyped)
{
    Prepare(231);
    window.SetRehearsal(true);
    prompt.openFiles.push_back(store);
    RunModal<CHostSettingsDlg>(
        Action("actionHostSettings"), "buttonExit", [&](CHostSettingsDlg& dialog) {
            auto& code = Child<QLineEdit>(dialog, "editHostCode");
            code.setText(QStringLiteral("7"));
            EXPECT_EQ(Child<QLabel>(dialog, "labelRehearsal").text(),
                      QStringLiteral("Rehearsal: host 7 is at 127.0.0.1:10068"));
            code.setText(QStringLiteral("x"));
            EXPECT_EQ(Child<QLabel>(dialog, "labelRehearsal").text(),
                      QString::fromUtf8(strings::kRehearsalHostsAt));
        });
    window.SetRehearsal(false);
    prompt.openFiles.push_back(store);
    RunModal<CHostSettingsDlg>(
        Action("actionHostSettings"), "buttonExit", [&](CHostSettingsDlg& dialog) {
            EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("labelRehearsal")), nullptr);
        });
}

TEST_F(RehearsalWindow, TheHostPlanNamesEachHostsRehearsalAddress)
{
    Prepare(241);
    window.OpenStoreFile(store);
    const auto addresses = [this] {
        QStringList seen;
        RunModal<CHostPlanDlg>(Action("actionHostPlan"), "buttonClose", [&](CHostPlanDlg& dialog) {
            auto& plan = Child<QTableWidget>(dialog, "plan");
            for (int row = 0; row < plan.rowCount(); ++row)
                seen << plan.item(row, 3)->text();
            const auto* note = dialog.findChild<QLabel*>(QStringLiteral("labelRehearsal"));
            seen << (note ? note->text() : QString());
        });
        return seen;
    };
    EXPECT_EQ(addresses(), (QStringList{QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.1"),
                                        QStringLiteral("127.0.0.1"), QString()})); // a test's own
    window.SetRehearsal(true);
    EXPECT_EQ(addresses(),
              (QStringList{QStringLiteral("127.0.0.1:10302"), QStringLiteral("127.0.0.1:10303"),
                           QStringLiteral("127.0.0.1:10304"),
                           QString::fromUtf8(strings::kRehearsalHostsAt)}));
}

TEST_F(RehearsalWindow, AStartedHostWhosePortIsTakenIsSaidSo)
{
    Prepare(211);
    window.OpenStoreFile(store);
    window.SetRehearsal(true);
    std::string error;
    VirtualFiringHost holder({.port = RehearsalPort(codeB)});
    ASSERT_TRUE(holder.Start(error)) << error;
    RunModal<CVirtualHostsDlg>(Action("actionVirtualHosts"), "buttonClose",
                               [&](CVirtualHostsDlg& dialog) { EXPECT_EQ(dialog.OnStart(), 2); });
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("host 212: port 10273 of 127.0.0.1 is taken", 0), 0u)
        << prompt.messages[0].text;
    EXPECT_EQ(prompt.messages[0].icon, prompt::MessageIcon::Warning);
    ASSERT_NE(window.VirtualHosts(), nullptr);
    EXPECT_EQ(window.VirtualHosts()->Running(), (std::vector<int>{codeA, codeC}));
}
