#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// Runs lupdate over the folders into a copy of the file and lists every text whose translation
// is not finished: new in the code (unfinished), empty, or gone from the code (vanished, obsolete).
QStringList unfinishedTexts(const QString& tsFile, const QStringList& folders, QString* error)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.ts");
    if (!QFile::copy(tsFile, copy)) {
        *error = "cannot copy " + tsFile;
        return {};
    }
    QProcess lupdate;
    lupdate.start(QUORIN_LUPDATE, QStringList{"-recursive"} << folders
                                      << QStringList{"-extensions", "cpp,h,ui", "-locations", "none", "-ts", copy});
    if (!lupdate.waitForFinished(120000) || lupdate.exitStatus() != QProcess::NormalExit || lupdate.exitCode() != 0) {
        *error = "lupdate failed: " + QString::fromLocal8Bit(lupdate.readAllStandardError());
        return {};
    }

    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot read " + copy;
        return {};
    }
    QStringList missing;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value("type").toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!type.isEmpty() || text.isEmpty())
                missing << QString("%1: \"%2\" (%3)").arg(context, source, type.isEmpty() ? "empty" : type);
        }
    }
    if (xml.hasError())
        *error = copy + ": " + xml.errorString();
    return missing;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextTranslated_data();
    void everyTextTranslated();
};

void TestTranslations::everyTextTranslated_data()
{
    QTest::addColumn<QString>("tsFile");
    QTest::addColumn<QString>("extraText");
    const QString root = QUORIN_SOURCE_ROOT;
    QTest::newRow("English covers every text of the code") << root + "translations/quorin_en.ts" << QString();
    QTest::newRow("Chinese covers every text of the code") << root + "translations/quorin_zh.ts" << QString();
    QTest::newRow("a text nobody translated is named") << root + "translations/quorin_en.ts" << "尚未翻译的文字";
}

void TestTranslations::everyTextTranslated()
{
    QFETCH(QString, tsFile);
    QFETCH(QString, extraText);
    QStringList folders{QString(QUORIN_SOURCE_ROOT) + "code"};
    QTemporaryDir extra;
    if (!extraText.isEmpty()) {
        QFile source(extra.filePath("extra.cpp"));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("void extra() { QObject::tr(\"" + extraText.toUtf8() + "\"); }\n");
        source.close();
        folders << extra.path();
    }

    QString error;
    const QStringList missing = unfinishedTexts(tsFile, folders, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QStringList expected = extraText.isEmpty() ? QStringList()
                                                     : QStringList{QString("QObject: \"%1\" (unfinished)").arg(extraText)};
    QVERIFY2(missing == expected, qPrintable("not translated:\n" + missing.join('\n')));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
