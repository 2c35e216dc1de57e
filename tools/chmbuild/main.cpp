// Compiles one help book into a CHM file that the help viewer reads:
//   chmbuild <project.hhp> <common folder> <staging folder> <output.chm>
// It stages the book's files and the shared ones, renders each SVG drawing to PNG, checks that
// every file the project lists exists with that exact name, that the default topic is one of
// them and that every entry of the contents and index files leads to one of them, runs chmcmd,
// corrects the two header values chmcmd writes differently from what the decoder expects, reads
// the result back through the decoder and only then replaces the output.
//
// The contents file and the index file ("Contents file=" and "Index file=" in [OPTIONS]) are
// compiled in whether [FILES] lists them or not: chmcmd adds them itself, and stores a file that
// [FILES] lists as well twice, so the staged project leaves them out of [FILES].
#include "help/book/chmarchive.h"
#include "help/book/sitemap.h"
#include "platform/filereplacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>
#include <set>

namespace {

struct Project {
    QString compiledFile;
    QString defaultTopic;
    QString contentsFile;
    QString indexFile;
    QString title;
    QStringList files;
};

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "chmbuild: %s\n", qPrintable(message));
    std::exit(1);
}

Project readProject(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail("cannot read " + path);
    }
    Project project;
    QString section;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(';')) {
            continue;
        }
        if (line.startsWith('[')) {
            section = line;
            continue;
        }
        if (section == "[FILES]") {
            project.files << line;
            continue;
        }
        const QString key = line.section('=', 0, 0).trimmed();
        const QString value = line.section('=', 1).trimmed();
        if (key == "Compiled file") {
            project.compiledFile = value;
        } else if (key == "Default topic") {
            project.defaultTopic = value;
        } else if (key == "Contents file") {
            project.contentsFile = value;
        } else if (key == "Index file") {
            project.indexFile = value;
        } else if (key == "Title") {
            project.title = value;
        }
    }
    return project;
}

void copyInto(const QString& from, const QString& stage) {
    const QString to = stage + '/' + QFileInfo(from).fileName();
    QFile::remove(to);
    if (!QFile::copy(from, to)) {
        fail("cannot copy " + from + " to " + stage);
    }
}

void renderSvg(const QString& svgPath, const QString& stage) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        fail("not a valid SVG drawing: " + svgPath);
    }
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString pngPath = stage + '/' + QFileInfo(svgPath).completeBaseName() + ".png";
    if (!image.save(pngPath, "PNG")) {
        fail("cannot write " + pngPath);
    }
}

void stageBook(const QString& bookDir, const QString& commonDir, const QString& stage) {
    QDir().mkpath(stage);
    for (const QString& dir : {commonDir, bookDir}) {
        for (const QFileInfo& info : QDir(dir).entryInfoList(QDir::Files)) {
            if (info.suffix() == "svg") {
                renderSvg(info.filePath(), stage);
            } else {
                copyInto(info.filePath(), stage);
            }
        }
    }
}

// chmcmd adds files that pages refer to but the project does not list, sometimes twice: every
// file a page uses must be listed.
void checkPagesUseListedFiles(const Project& project, const QString& stage) {
    static const QRegularExpression reference(R"re(\b(?:href|src)\s*=\s*"([^"#:]+)(#[^"]*)?")re",
                                              QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : project.files) {
        if (!name.endsWith(".htm") && !name.endsWith(".html")) {
            continue;
        }
        QFile page(stage + '/' + name);
        if (!page.open(QIODevice::ReadOnly)) {
            fail("cannot read " + name);
        }
        const QString html = QString::fromUtf8(page.readAll());
        for (auto it = reference.globalMatch(html); it.hasNext();) {
            const QString used = it.next().captured(1);
            if (!project.files.contains(used)) {
                fail(name + " uses " + used + ", which the project does not list");
            }
        }
    }
}

// Every entry of a contents or index file that leads to a file of this book must lead to a
// listed one; entries that lead to other books ("ms-its:") are checked by the shelf's tests.
void checkSitemapLinks(const QString& sitemapName, const QStringList& locals,
                       const Project& project) {
    for (const QString& local : locals) {
        if (local.contains(':')) {
            continue;
        }
        const QString file = local.section('#', 0, 0);
        if (!project.files.contains(file)) {
            fail(sitemapName + " leads to " + local + ", which the project does not list");
        }
    }
}

QByteArray readStaged(const QString& stage, const QString& name) {
    QFile file(stage + '/' + name);
    if (!file.open(QIODevice::ReadOnly)) {
        fail("cannot read " + name);
    }
    return file.readAll();
}

QStringList contentsLocals(const QList<nimbara::ContentsEntry>& entries) {
    QStringList locals;
    for (const nimbara::ContentsEntry& entry : entries) {
        if (!entry.local.isEmpty()) {
            locals << entry.local;
        }
        locals << contentsLocals(entry.children);
    }
    return locals;
}

QStringList indexLocals(const QList<nimbara::IndexEntry>& entries) {
    QStringList locals;
    for (const nimbara::IndexEntry& entry : entries) {
        for (const nimbara::IndexTopic& topic : entry.topics) {
            locals << topic.local;
        }
        locals << indexLocals(entry.children);
    }
    return locals;
}

void checkProject(const Project& project, const QString& stage) {
    if (project.compiledFile.isEmpty() || project.defaultTopic.isEmpty() ||
        project.title.isEmpty()) {
        fail("the project needs a compiled file, a default topic and a title");
    }
    const QStringList present = QDir(stage).entryList(QDir::Files);
    for (const QString& name : project.files) {
        if (!present.contains(name)) {  // exact case: the archive keeps names as written
            fail("listed file missing: " + name);
        }
    }
    if (!project.files.contains(project.defaultTopic)) {
        fail("default topic is not a listed file: " + project.defaultTopic);
    }
    if (!project.contentsFile.isEmpty()) {
        if (!present.contains(project.contentsFile)) {
            fail("contents file missing: " + project.contentsFile);
        }
        checkSitemapLinks(
            project.contentsFile,
            contentsLocals(nimbara::parseSitemap(readStaged(stage, project.contentsFile))),
            project);
    }
    if (!project.indexFile.isEmpty()) {
        if (!present.contains(project.indexFile)) {
            fail("index file missing: " + project.indexFile);
        }
        const QList<nimbara::IndexEntry> index =
            nimbara::parseIndex(readStaged(stage, project.indexFile));
        if (index.isEmpty()) {
            fail("the index file has no keywords: " + project.indexFile);
        }
        checkSitemapLinks(project.indexFile, indexLocals(index), project);
    }
    checkPagesUseListedFiles(project, stage);
}

// Writes the project chmcmd compiles: the book's own, without the contents and index files in
// [FILES] (chmcmd adds those itself).
void stageProject(const QString& projectPath, const Project& project, const QString& stage) {
    QFile in(projectPath);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail("cannot read " + projectPath);
    }
    QStringList lines;
    QString section;
    QTextStream text(&in);
    while (!text.atEnd()) {
        const QString line = text.readLine();
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            section = trimmed;
        } else if (section == "[FILES]" && !trimmed.isEmpty() &&
                   (trimmed == project.contentsFile || trimmed == project.indexFile)) {
            continue;
        }
        lines << line;
    }
    nimbara::FileReplacement out(stage + '/' + QFileInfo(projectPath).fileName());
    if (!out.write((lines.join('\n') + '\n').toUtf8()) || !out.commit()) {
        fail("cannot write the staged project: " + out.errorString());
    }
}

nimbara::Bytes compile(const QString& projectName, const Project& project, const QString& stage) {
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(stage);
    chmcmd.setProcessChannelMode(QProcess::MergedChannels);
    chmcmd.start("chmcmd", {projectName});
    if (!chmcmd.waitForFinished(120000) || chmcmd.exitStatus() != QProcess::NormalExit ||
        chmcmd.exitCode() != 0) {
        fail(QString("chmcmd failed (exit code %1): %2")
                 .arg(chmcmd.exitCode())
                 .arg(QString::fromLocal8Bit(chmcmd.readAll())));
    }
    QFile output(stage + '/' + project.compiledFile);
    if (!output.open(QIODevice::ReadOnly) || output.size() == 0) {
        fail("chmcmd wrote no archive: " + output.fileName());
    }
    const QByteArray data = output.readAll();
    return nimbara::Bytes(data.begin(), data.end());
}

void verify(const nimbara::Bytes& bytes, const Project& project) {
    std::string error;
    const auto archive = nimbara::ChmArchive::open(bytes, nimbara::linkedChmDecoder(), error);
    if (!archive) {
        fail(QString::fromStdString("the decoder refuses the archive: " + error));
    }
    QStringList expected = project.files;
    for (const QString& sitemap : {project.contentsFile, project.indexFile}) {
        if (!sitemap.isEmpty() && !expected.contains(sitemap)) {
            expected << sitemap;
        }
    }
    for (const QString& name : expected) {
        if (archive->storedName("/" + name.toStdString()) != "/" + name.toStdString()) {
            fail("the archive lacks " + name);
        }
    }
    std::set<std::string> names;
    for (const std::string& name : archive->fileNames()) {
        if (!names.insert(name).second) {
            fail(QString::fromStdString("the archive holds " + name + " twice"));
        }
    }
    if (archive->systemInfo().defaultTopic != project.defaultTopic.toStdString()) {
        fail("the archive's default topic differs from the project's");
    }
    if (archive->systemInfo().indexFile != project.indexFile.toStdString()) {
        fail("the archive does not name the project's index file");
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        fail("usage: chmbuild <project.hhp> <common folder> <staging folder> <output.chm>");
    }
    const QFileInfo projectFile(args[1]);
    const QString stage = args[3];
    QDir(stage).removeRecursively();
    stageBook(projectFile.absolutePath(), args[2], stage);
    const Project project = readProject(projectFile.filePath());
    checkProject(project, stage);
    stageProject(projectFile.filePath(), project, stage);
    nimbara::Bytes bytes = compile(projectFile.fileName(), project, stage);
    nimbara::correctChmHeaders(bytes);
    verify(bytes, project);

    nimbara::FileReplacement out(args[4]);
    if (!out.write(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<qsizetype>(bytes.size()))) ||
        !out.commit()) {
        fail("cannot write " + args[4] + ": " + out.errorString());
    }
    return 0;
}
