#include "test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <exception>
#include <fstream>
#include <sstream>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/app_error.h"
#include "platform/cp1250.h"
#include "ui/error_box.h"
#include "ui/frm_main.h"

namespace testing_support {

TempFolder::TempFolder()
{
    EXPECT_TRUE(dir_.isValid());
    path_ = QFile::encodeName(dir_.path()).toStdString();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

GameFolders::GameFolders()
{
    const QString program = QString::fromStdString(root.File("program"));
    const QString ico = program + "/Ico";
    QDir().mkpath(ico);
    const QDir source(QStringLiteral(VORPANTA_TILE_DIR));
    const QStringList pictures = source.entryList({QStringLiteral("*.bmp")}, QDir::Files);
    EXPECT_EQ(pictures.size(), 54) << "the built tile pictures are missing";
    for (const QString& name : pictures)
        QFile::copy(source.filePath(name), ico + "/" + name);
    locations.programDir = root.File("program");
    locations.dataDir = root.File("data");
    locations.settingsFile = locations.dataDir + "/Vorpanta.ini";
}

namespace {

std::string PictureName(const std::string& path)
{
    const auto slash = path.rfind('/');
    std::string name = path.substr(slash + 1);
    return name.substr(0, name.size() - 4);  // without ".bmp"
}

}  // namespace

void RecordingView::ShowTilePicture(int column, int row, const std::string& picturePath)
{
    const std::string picture = PictureName(picturePath);
    if (!failingPicture.empty() && picture == failingPicture)
        throw CannotOpenFile(picturePath, "No such file or directory");
    calls.push_back("show " + std::to_string(column) + " " + std::to_string(row) + " " + picture);
}

void RecordingView::HideTile(int column, int row)
{
    calls.push_back("hide " + std::to_string(column) + " " + std::to_string(row));
}

void RecordingView::SlideTile(int column, int row, const std::string& picturePath)
{
    calls.push_back("slide " + std::to_string(column) + " " + std::to_string(row));
    slidePictures.push_back(std::to_string(column) + " " + std::to_string(row) + " " + PictureName(picturePath));
}

void RecordingView::SetWordLine(const std::string& text)
{
    calls.push_back("word " + cp1250::toUtf8(text));
}

void RecordingView::SetScoreLine(const std::string& text)
{
    calls.push_back("score " + cp1250::toUtf8(text));
}

void RecordingView::Announce(const std::string& sentence)
{
    spoken.push_back(cp1250::toUtf8(sentence));
}

std::vector<std::string> RecordingView::Take()
{
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

ErrorBoxRecorder::ErrorBoxRecorder()
{
    SetErrorBoxSink([this](QWidget*, const QString& text) { texts.push_back(text); });
}

ErrorBoxRecorder::~ErrorBoxRecorder()
{
    SetErrorBoxSink({});
}

NoSlidePacing::NoSlidePacing() : saved_(Tfrm_Main::SlidePacing())
{
    Tfrm_Main::SetSlidePacing(std::chrono::microseconds(0));
}

NoSlidePacing::~NoSlidePacing()
{
    Tfrm_Main::SetSlidePacing(saved_);
}

std::string InChild(ChildSetUp setUp, const std::function<std::string()>& attempt, unsigned long fileSizeLimit)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(30);
        if (setUp == ChildSetUp::OrdinaryUser && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(3);
        if (setUp == ChildSetUp::FileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = fileSizeLimit;
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(3);
        }
        std::string report;
        try {
            report = attempt();
        } catch (const std::exception& error) {
            report = std::string("uncaught: ") + error.what();
        }
        const bool sent = ::write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::_exit(sent ? 0 : 4);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child failed, status " + std::to_string(status);
    return report;
}

}  // namespace testing_support
