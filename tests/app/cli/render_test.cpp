// pelmora-list render run as the desktop and its users run it: without a display, each kind
// ChoiView draws, --size, the gates, files it refuses, a share, a plug-in built from the
// README against the installed header, and the thumbnailer entry with its MIME types.
#include <sys/stat.h>
#include <sys/wait.h>

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>
#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>

#include "tests/support/smb_test_server.h"
#include "tests/support/temp_tree.h"
#include "tests/tools/choiview/metafile_bytes.h"

namespace {

using pelmora::testing::ShellQuote;
using pelmora::testing::TempTree;

struct RenderRun {
    int status = -1;
    std::string out;
    std::string err;
    std::chrono::milliseconds took{};
};

constexpr QRgb kRed = 0xffff0000, kBlue = 0xff0000ff, kWhite = 0xffffffff;

const std::string kAllGatesOpen =
    "[ChoiView]\r\nCV_txt=1\r\nCV_other_txt=1\r\nCV_bmp=1\r\nCV_wmf=1\r\nCV_Su_mag=1\r\nCV_Su_pcx=1\r\n"
    "CV_pdf=1\r\nCV_doc=1\r\nCV_htm=1\r\n";

// Runs program (pelmora-list) with no display, no settings but the given file, input from
// nowhere; a time limit ends a run that hangs. prefix goes before the program (variables).
RenderRun Run(const TempTree& scratch, const std::vector<std::string>& args, const std::string& prefix = {},
              const std::string& program = PELMORA_LIST_PROGRAM) {
    std::string command = "cd " + ShellQuote(scratch.path()) + " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" +
                          " HOME=" + ShellQuote(scratch / "home") + " XDG_CONFIG_HOME=" + ShellQuote(scratch / "home/config") +
                          " XDG_CACHE_HOME=" + ShellQuote(scratch / "home/cache") + " timeout 120 env LANGUAGE=en " + prefix + " " +
                          ShellQuote(program);
    for (const std::string& arg : args) command += " " + ShellQuote(arg);
    command += " </dev/null >" + ShellQuote(scratch / "run.out") + " 2>" + ShellQuote(scratch / "run.err");
    const auto start = std::chrono::steady_clock::now();
    const int raw = std::system(command.c_str());
    RenderRun run;
    run.took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = pelmora::testing::ReadFile(scratch / "run.out");
    run.err = pelmora::testing::ReadFile(scratch / "run.err");
    return run;
}

// A picture of two halves, red left and blue right.
std::string TwoHalvesBmp(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBlue);
    QPainter(&image).fillRect(0, 0, width / 2, height, QColor(kRed));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

// Pages of 144 x 72 points: the first red, the others blue.
std::string PdfOfPages(int pages) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QSizeF(144, 72), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.fillRect(QRect(0, 0, 144, 72), QColor(page == 0 ? kRed : kBlue));
    }
    painter.end();
    return bytes.toStdString();
}

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 40 && std::abs(qGreen(a) - qGreen(b)) < 40 && std::abs(qBlue(a) - qBlue(b)) < 40;
}

std::string ReadmeExample() {
    const std::string readme = pelmora::testing::ReadFile(PELMORA_SOURCE_DIR "/README.md");
    const auto section = readme.find("## Writing an image plug-in");
    const auto start = readme.find("```c\n", section);
    const auto end = readme.find("\n```\n", start);
    if (section == std::string::npos || start == std::string::npos || end == std::string::npos) return {};
    return readme.substr(start + 5, end - start - 4);
}

// The MIME types an XML package declares (types and their aliases) and each glob's type.
struct MimeDeclarations {
    QSet<QString> types;
    std::map<QString, QString> globs;  // "*.mag" -> its type
};

MimeDeclarations ReadMimePackage(const std::string& path, MimeDeclarations declared = {}) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return declared;
    QXmlStreamReader xml(&file);
    QString current;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString type = xml.attributes().value("type").toString();
        if (xml.name() == QStringLiteral("mime-type")) {
            current = type;
            declared.types.insert(type);
        } else if (xml.name() == QStringLiteral("alias")) {
            declared.types.insert(type);
        } else if (xml.name() == QStringLiteral("glob")) {
            declared.globs.emplace(xml.attributes().value("pattern").toString().toLower(), current);
        }
    }
    return xml.hasError() ? MimeDeclarations{} : declared;
}

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT

private:
    TempTree scratch;
    std::string ini;
    RenderRun Render(std::vector<std::string> args, const std::string& settings = {}) {
        args.insert(args.begin(), {"--ini", settings.empty() ? ini : settings, "render"});
        return Run(scratch, args);
    }
    QImage Output(const std::string& name) { return QImage(QString::fromStdString(scratch / name), "PNG"); }

private slots:
    void initTestCase() {
        ini = scratch.AddFile("Pelmora.ini", kAllGatesOpen);
        scratch.AddFolder("home");
    }

    void pictureAtItsNaturalSizeAndFittedNeverEnlarged() {
        const std::string bmp = scratch.AddFile("halves.bmp", TwoHalvesBmp(40, 20));
        RenderRun run = Render({bmp, scratch / "natural.png"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.empty());
        QImage image = Output("natural.png");
        QCOMPARE(image.size(), QSize(40, 20));
        QCOMPARE(image.pixel(5, 10), kRed);
        QCOMPARE(image.pixel(35, 10), kBlue);

        // The thumbnailer's order, the option first; and the option last.
        run = Render({"--size", "10", bmp, scratch / "small.png"});
        QCOMPARE(run.status, 0);
        QCOMPARE(Output("small.png").size(), QSize(10, 5));
        QVERIFY(Near(Output("small.png").pixel(1, 2), kRed));
        QVERIFY(Near(Output("small.png").pixel(8, 2), kBlue));
        run = Render({bmp, scratch / "large.png", "--size", "400"});
        QCOMPARE(run.status, 0);
        QCOMPARE(Output("large.png").size(), QSize(40, 20));
        // A tall picture fits by its height.
        const std::string tall = scratch.AddFile("tall.bmp", TwoHalvesBmp(30, 90));
        QCOMPARE(Render({"--size", "45", tall, scratch / "tall.png"}).status, 0);
        QCOMPARE(Output("tall.png").size(), QSize(15, 45));
    }

    void metafilesDrawnFromTheirSvg() {
        using pelmora::testing::EmfWithRectangle;
        using pelmora::testing::WmfWithRectangle;
        const std::map<std::string, std::string> files = {
            {"shape.emf", EmfWithRectangle(60, 30, 0x000000FF, 0, 0, 30, 30)},
            {"shape.wmf", WmfWithRectangle(60, 30, 0x000000FF, 0, 0, 30, 30)},
        };
        for (const auto& [name, bytes] : files) {
            const RenderRun run = Render({scratch.AddFile(name, bytes), scratch / (name + ".png")});
            QVERIFY2(run.status == 0, (name + ": " + run.err).c_str());
            const QImage image = Output(name + ".png");
            QCOMPARE(image.size(), QSize(60, 30));
            QVERIFY2(Near(image.pixel(10, 15), kRed), name.c_str());
            QVERIFY2(Near(image.pixel(50, 15), kWhite), name.c_str());
        }
    }

    void pdfFirstPageAt96DpiAndFitted() {
        const std::string pdf = scratch.AddFile("pages.pdf", PdfOfPages(3));
        RenderRun run = Render({pdf, scratch / "page.png"});
        QVERIFY2(run.status == 0, run.err.c_str());
        QImage page = Output("page.png");
        QCOMPARE(page.size(), QSize(192, 96));
        QVERIFY(Near(page.pixel(96, 48), kRed));
        run = Render({"--size", "48", pdf, scratch / "page48.png"});
        QCOMPARE(run.status, 0);
        QCOMPARE(Output("page48.png").size(), QSize(48, 24));

        // Damaged: not a PDF past its first line.
        const std::string broken = scratch.AddFile("broken.pdf", "%PDF-1.4\nnothing else");
        run = Render({broken, scratch / "broken.png"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.empty());
        QVERIFY(run.err.find("broken.pdf") != std::string::npos);
        QVERIFY(!std::filesystem::exists(scratch / "broken.png"));
    }

    void officeDocumentThroughTheConversionAndItsCache() {
        if (!pelmora::testing::ToolInstalled("soffice")) QSKIP("LibreOffice is not installed");
        const std::string doc = scratch / "word.doc";
        std::filesystem::copy_file(PELMORA_SOURCE_DIR "/tests/tools/choiview/data/word.doc", doc);
        RenderRun run = Render({"--size", "128", doc, scratch / "doc.png"});
        QVERIFY2(run.status == 0, run.err.c_str());
        const QImage first = Output("doc.png");
        // A portrait page fitted by its height.
        QCOMPARE(first.height(), 128);
        QVERIFY(first.width() < 128 && first.width() > 64);
        // Again without LibreOffice on the path, named relative to the current folder: the
        // cache has the PDF under the document's full path, as the viewer names it.
        run = Run(scratch, {"--ini", ini, "render", "--size", "128", "word.doc", scratch / "doc2.png"}, "PATH=/nonexistent");
        QVERIFY2(run.status == 0, run.err.c_str());
        QCOMPARE(Output("doc2.png"), first);
    }

    void gatesDecideAsInTheViewer() {
        const std::string bmp = scratch.AddFile("gated.bmp", TwoHalvesBmp(4, 4));
        // BMP closed, other text open: a bitmap holds NULs, so ChoiView shows it not at all.
        const std::string asText = scratch.AddFile("as_text.ini", "[ChoiView]\r\nCV_bmp=0\r\nCV_other_txt=1\r\n");
        RenderRun run = Render({bmp, scratch / "gated.png"}, asText);
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.empty());
        QVERIFY2(run.err.find("ChoiView does not show") != std::string::npos, run.err.c_str());
        // A file of another name without NULs is shown as text.
        run = Render({scratch.AddFile("plain.bmp.xyz", "plain"), scratch / "gated.png"}, asText);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.find(" other_TEXT: ") != std::string::npos, run.err.c_str());
        // The gate open, the same settings draw it.
        const std::string open = scratch.AddFile("open.ini", "[ChoiView]\r\nCV_bmp=1\r\nCV_other_txt=1\r\n");
        QCOMPARE(Render({bmp, scratch / "open.png"}, open).status, 0);
        // Kinds that are no picture: a text and a web page name their kind.
        run = Render({scratch.AddFile("note.txt", "text"), scratch / "note.png"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.find(" TEXT: ") != std::string::npos, run.err.c_str());
        run = Render({scratch.AddFile("page.html", "<p>x</p>"), scratch / "page.png"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.find(" IE: ") != std::string::npos, run.err.c_str());
        QVERIFY(!std::filesystem::exists(scratch / "gated.png"));
    }

    void refusedFilesEndWithAFailureAndNoOutput() {
        // Cut short: the bitmap lacks its last rows.
        const std::string whole = TwoHalvesBmp(40, 20);
        const std::string cut = scratch.AddFile("cut.bmp", whole.substr(0, whole.size() - 100));
        RenderRun run = Render({cut, scratch / "cut.png"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.empty());
        QVERIFY(!std::filesystem::exists(scratch / "cut.png"));
        // A FIFO named like a picture is refused before anything waits for a writer.
        const std::string fifo = scratch / "pipe.bmp";
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        run = Render({fifo, scratch / "pipe.png"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.took < std::chrono::seconds(10));
        QVERIFY2(run.err.find("not a regular file") != std::string::npos, run.err.c_str());
        run = Render({scratch / "missing.bmp", scratch / "missing.png"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.find("not found") != std::string::npos);
        // A picture whose plug-in is not installed: a line on standard error, no box.
        run = Render({scratch.AddFile("orphan.mag", "MAKI02  "), scratch / "orphan.png"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.empty());
        QVERIFY(!run.err.empty());
        QVERIFY(!std::filesystem::exists(scratch / "orphan.png"));
    }

    void wrongUsageIsStatusTwo() {
        const std::string bmp = scratch.AddFile("usage.bmp", TwoHalvesBmp(4, 4));
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {bmp}, {"--size", "0", bmp, scratch / "u.png"}, {"--size", "x", bmp, scratch / "u.png"},
                 {"--size", "10", bmp}, {bmp, scratch / "u.png", "extra"}}) {
            const RenderRun run = Render(args);
            QCOMPARE(run.status, 2);
            QVERIFY(run.out.empty());
        }
        QVERIFY(!std::filesystem::exists(scratch / "u.png"));
    }

    void pictureOnAShare() {
        // Bitmaps read through the file system service; the share's path never reaches Qt.
        pelmora::testing::SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        pelmora::testing::WriteFile(server.GuestFolder() + "/shared.bmp", TwoHalvesBmp(40, 20));
        const std::string share = pelmora::testing::SmbTestServer::GuestShare();
        RenderRun run = Render({"--size", "20", share + "/shared.bmp", scratch / "shared.png"});
        QVERIFY2(run.status == 0, run.err.c_str());
        QCOMPARE(Output("shared.png").size(), QSize(20, 10));
        QVERIFY(Near(Output("shared.png").pixel(2, 5), kRed));
        // The backslash spelling too.
        run = Render({"\\\\127.0.0.1\\guest\\shared.bmp", scratch / "shared2.png"});
        QVERIFY2(run.status == 0, run.err.c_str());
        QCOMPARE(Output("shared2.png").size(), QSize(40, 20));
    }

    void eachKindOnAShareAsFromTheLocalDisk() {
        // A plug-in picture, a PDF and the metafiles read through the file system service: the
        // same bytes on a share and on the local disk draw the same picture.
        pelmora::testing::SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        QImage halves(40, 20, QImage::Format_RGB32);
        halves.fill(kBlue);
        QPainter(&halves).fillRect(0, 0, 20, 20, QColor(kRed));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(halves.save(&buffer, "PNG"));
        const std::map<std::string, std::string> files = {
            {"twin.png", png.toStdString()},
            {"twin.pdf", PdfOfPages(2)},
            {"twin.emf", pelmora::testing::EmfWithRectangle(60, 30, 0x000000FF, 0, 0, 30, 30)},
            {"twin.wmf", pelmora::testing::WmfWithRectangle(60, 30, 0x000000FF, 0, 0, 30, 30)},
        };
        // Written before the share is first read: its listing is reused for a moment.
        for (const auto& [name, bytes] : files) pelmora::testing::WriteFile(server.GuestFolder() + "/" + name, bytes);
        const std::string settings = scratch.AddFile("png_gate.ini", kAllGatesOpen + "CV_Su_png=1\r\n");
        for (const auto& [name, bytes] : files) {
            const RenderRun local = Render({scratch.AddFile("local_" + name, bytes), scratch / (name + ".local.png")}, settings);
            QVERIFY2(local.status == 0, (name + ": " + local.err).c_str());
            const RenderRun shared = Render({pelmora::testing::SmbTestServer::GuestShare() + "/" + name,
                                             scratch / (name + ".share.png")},
                                            settings);
            QVERIFY2(shared.status == 0, (name + ": " + shared.err).c_str());
            QVERIFY2(shared.out.empty(), name.c_str());
            const QImage fromDisk = Output(name + ".local.png");
            const QImage fromShare = Output(name + ".share.png");
            QVERIFY2(!fromDisk.isNull(), name.c_str());
            QCOMPARE(fromShare.size(), fromDisk.size());
            for (int y = 0; y < fromDisk.height(); y += 5) {
                for (int x = 0; x < fromDisk.width(); x += 5)
                    QVERIFY2(fromShare.pixel(x, y) == fromDisk.pixel(x, y), (name + " differs").c_str());
            }
        }
        // The PNG really came through the plug-in: its gate closed, nothing draws it.
        const RenderRun gated = Render({pelmora::testing::SmbTestServer::GuestShare() + "/twin.png", scratch / "gated_twin.png"});
        QCOMPARE(gated.status, 1);
        QVERIFY(!std::filesystem::exists(scratch / "gated_twin.png"));
    }

    void aPasswordShareWithTheAuthenticationFile() {
        pelmora::testing::SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        pelmora::testing::WriteFile(server.SecureFolder() + "/secret.bmp", TwoHalvesBmp(40, 20));
        const std::string secret = pelmora::testing::SmbTestServer::SecureShare() + "/secret.bmp";
        const auto authFile = [&](const std::string& name, mode_t mode) {
            const std::string path = scratch.AddFile(name, "username = " + server.User() + "\npassword = " +
                                                               pelmora::testing::SmbTestServer::kSecurePassword + "\n");
            ::chmod(path.c_str(), mode);
            return path;
        };
        const auto renderWith = [&](const std::string& authentication, const std::string& output) {
            return Run(scratch, {"--ini", ini, "--authentication-file", authentication, "render", secret, scratch / output});
        };
        // The guest alone is refused.
        RenderRun run = Render({secret, scratch / "guest_secret.png"});
        QCOMPARE(run.status, 1);
        QVERIFY(!std::filesystem::exists(scratch / "guest_secret.png"));

        run = renderWith(authFile("private.auth", 0600), "secret.png");
        QVERIFY2(run.status == 0, run.err.c_str());
        QVERIFY(run.out.empty());
        QCOMPARE(Output("secret.png").size(), QSize(40, 20));
        QCOMPARE(Output("secret.png").pixel(5, 10), kRed);

        // One that others may read is refused before anything is drawn, and the password is
        // never shown.
        run = renderWith(authFile("open.auth", 0644), "open_secret.png");
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.empty());
        QVERIFY2(run.err.find(pelmora::testing::SmbTestServer::kSecurePassword) == std::string::npos, run.err.c_str());
        QVERIFY(!std::filesystem::exists(scratch / "open_secret.png"));
        // The drawing program checks it again itself: the file may have changed on the way.
        run = Run(scratch, {"picture", "0", "--authentication-file", scratch / "open.auth", "--", secret, scratch / "open_secret.png"},
                  {}, PELMORA_RENDER_PROGRAM);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.empty());
        QVERIFY(!std::filesystem::exists(scratch / "open_secret.png"));
        run = Run(scratch, {"picture", "0", "--authentication-file", scratch / "private.auth", "--", secret, scratch / "direct.png"},
                  {}, PELMORA_RENDER_PROGRAM);
        QVERIFY2(run.status == 0, run.err.c_str());
        QCOMPARE(Output("direct.png").size(), QSize(40, 20));
    }

    void aPluginBuiltFromTheReadmeDrawsThroughTheInstalledPrograms() {
        const std::string source = ReadmeExample();
        QVERIFY(!source.empty());
        pelmora::testing::WriteFile(scratch / "example/ifppm.c", source);
        const std::string prefix = scratch / "installed";
        QCOMPARE(std::system((ShellQuote(PELMORA_CMAKE) + " --install " + ShellQuote(PELMORA_BUILD_DIR) +
                              " --component plugin_sdk --prefix " + ShellQuote(prefix) + " >/dev/null")
                                 .c_str()),
                 0);
        // The programs as installed: bin/, and the plug-in in lib/pelmora/spi.
        const std::string plugins = scratch.AddFolder("installed/lib/pelmora/spi");
        QCOMPARE(std::system((ShellQuote(PELMORA_C_COMPILER) + " -std=c99 -Wall -Wextra -Werror -shared -fPIC -I " +
                              ShellQuote(prefix + "/include") + " -o " + ShellQuote(plugins + "/ifmag.spi") + " " +
                              ShellQuote(scratch / "example/ifppm.c"))
                                 .c_str()),
                 0);
        const std::string bin = scratch.AddFolder("installed/bin");
        for (const char* program : {PELMORA_LIST_PROGRAM, PELMORA_RENDER_PROGRAM, PELMORA_PLUGIN_HOST_PROGRAM})
            std::filesystem::copy_file(program, bin + "/" + std::filesystem::path(program).filename().string());

        std::string ppm = "P6\n3 2\n255\n";
        for (QRgb pixel : {kRed, kBlue, kWhite, kBlue, kRed, kWhite})
            ppm += {static_cast<char>(qRed(pixel)), static_cast<char>(qGreen(pixel)), static_cast<char>(qBlue(pixel))};
        const std::string mag = scratch.AddFile("picture.mag", ppm);
        const RenderRun run = Run(scratch, {"--ini", ini, "render", mag, scratch / "mag.png"}, {}, bin + "/pelmora-list");
        QVERIFY2(run.status == 0, run.err.c_str());
        const QImage image = Output("mag.png");
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(image.pixel(0, 0), kRed);
        QCOMPARE(image.pixel(1, 0), kBlue);
        QCOMPARE(image.pixel(2, 1), kWhite);
    }

    void theThumbnailerEntryIsWholeAndItsCommandDraws() {
        const std::string entry = pelmora::testing::ReadFile(PELMORA_SOURCE_DIR "/share/thumbnailers/pelmora.thumbnailer");
        std::map<std::string, std::string> keys;
        std::string group;
        std::istringstream lines(entry);
        for (std::string line; std::getline(lines, line);) {
            if (line.empty() || line[0] == '#') continue;
            if (line.front() == '[') {
                QVERIFY2(line.back() == ']' && group.empty(), line.c_str());
                group = line;
                continue;
            }
            const auto equals = line.find('=');
            QVERIFY2(equals != std::string::npos && equals > 0 && !group.empty(), line.c_str());
            QVERIFY2(keys.emplace(line.substr(0, equals), line.substr(equals + 1)).second, line.c_str());
        }
        QCOMPARE(group, std::string("[Thumbnailer Entry]"));
        QCOMPARE(keys["Exec"], std::string("pelmora-list render --size %s %i %o"));

        // Each type is one of ours or known to the shared database, and each format has its type.
        MimeDeclarations declared = ReadMimePackage(PELMORA_SOURCE_DIR "/share/mime/packages/pelmora.xml");
        QVERIFY(declared.types.contains("image/x-mag"));
        declared = ReadMimePackage("/usr/share/mime/packages/freedesktop.org.xml", declared);
        const QStringList listed = QString::fromStdString(keys["MimeType"]).split(';', Qt::SkipEmptyParts);
        for (const QString& type : listed) QVERIFY2(declared.types.contains(type), qPrintable(type));
        for (const char* glob : {"*.mag", "*.pi", "*.pic", "*.p2", "*.q4", "*.pict", "*.pcx", "*.emf", "*.wmf"}) {
            const auto found = declared.globs.find(glob);
            QVERIFY2(found != declared.globs.end(), glob);
            QVERIFY2(listed.contains(found->second), glob);
        }

        // The command as a file manager runs it: found on PATH, the built-in settings.
        const std::string emf = scratch.AddFile("thumb/shape.emf", pelmora::testing::EmfWithRectangle(300, 150, 0x000000FF, 0, 0, 150, 150));
        std::string command = keys["Exec"];
        const std::map<std::string, std::string> fields = {{"%s", "64"}, {"%i", ShellQuote(emf)}, {"%o", ShellQuote(scratch / "thumb/out.png")}};
        for (const auto& [field, value] : fields) command.replace(command.find(field), 2, value);
        const std::string binFolder = std::filesystem::path(PELMORA_LIST_PROGRAM).parent_path().string();
        const std::string run = "cd " + ShellQuote(scratch / "thumb") + " && env -u DISPLAY -u QT_QPA_PLATFORM HOME=" +
                                ShellQuote(scratch / "thumb") + " XDG_CONFIG_HOME=" + ShellQuote(scratch / "thumb") +
                                " PATH=" + ShellQuote(binFolder) + ":/usr/bin:/bin " + command + " </dev/null >/dev/null 2>&1";
        QCOMPARE(std::system(run.c_str()), 0);
        const QImage thumbnail = Output("thumb/out.png");
        QCOMPARE(thumbnail.size(), QSize(64, 32));
    }
};

QTEST_MAIN(RenderTest)
#include "render_test.moc"
