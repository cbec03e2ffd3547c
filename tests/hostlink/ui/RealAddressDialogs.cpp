// The Download dialog as the program runs it, with the field's own address,
// port and waits: host code 5 is 192.168.10.5:10061, played by the virtual
// host. Runs only inside an isolated network (run_isolated.sh): it checks
// that the network has no interface but loopback before anything is sent.
#include "hostlink/ui/DownloadDlg.h"
#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using dialogtest::Child;
using dialogtest::WaitUntil;

namespace {

class FieldHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VirtualHostOptions options;
        options.address = "192.168.10.5";
        options.port = kHostPort;
        host = std::make_unique<VirtualFiringHost>(options);
        std::string error;
        ASSERT_TRUE(host->Start(error)) << error;
    }

    testsupport::TempDir dir;
    dialogtest::WindowThreadPrompt prompt;
    std::unique_ptr<VirtualFiringHost> host;
};

TEST_F(FieldHost, DownloadDialogReachesHostCodeFive)
{
    std::vector<StoreRow> rows = NumberedRows(10);
    rows[0].HostName = "东区";
    prompt.openFiles.push_back(MakeShowStore(dir, rows));
    CDownloadDlg dialog(prompt); // the built-in options
    dialog.show();
    Child<QLineEdit>(dialog, "editHostCode").setText(QStringLiteral("5"));
    QSignalSpy finished(&dialog, &CDownloadDlg::DownloadFinished);
    Child<QPushButton>(dialog, "buttonDownload").click();
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }, 30s));
    EXPECT_TRUE(finished.front().front().toBool());
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(Child<QLabel>(dialog, "labelStatusLine").text().toStdString(),
              "download total：10fire record...");

    const auto cues = FramesOfKind(*host, DecodedFrame::kCue);
    ASSERT_EQ(cues.size(), 10u);
    EXPECT_EQ(cues[0].frame.name, "东区");
    for (const HostFrameRecord& cue : cues)
        EXPECT_EQ(cue.reply, HostFrameRecord::kAccepted);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!InsideIsolatedNetwork("real-address dialog test"))
        return 1;
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
