#include "widgets/CertificatePdf.h"

#include "widgets/CertificateTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>

namespace texts = certificate_texts;

namespace widgets {

namespace {

QString cell(const QString& text, const QString& tag = QStringLiteral("td"))
{
    return QStringLiteral("<%1>%2</%1>").arg(tag, text.toHtmlEscaped());
}

QString html(const diagnosis::TestRecord& r)
{
    QString out = QStringLiteral("<h2>%1</h2><table cellpadding='2'>")
                      .arg(texts::Title.arg(r.planName).toHtmlEscaped());
    for (const auto& [label, value] :
         {std::pair{texts::Plan, r.planName + QStringLiteral(" (") + r.planFile + u')'},
          std::pair{texts::PlanHash, r.planHash}, std::pair{texts::Tool, r.tool},
          std::pair{texts::Started, r.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))},
          std::pair{texts::Operator, r.operatorName}, std::pair{texts::Unit, r.unit},
          std::pair{texts::Port, r.port}, std::pair{texts::Settings, r.settings}})
        // The hash stays on one line, so that it reads (and copies) as one word.
        out += QStringLiteral("<tr>") + cell(label, QStringLiteral("th")) +
               QStringLiteral("<td style='white-space:nowrap'>%1</td></tr>")
                   .arg(value.toHtmlEscaped());
    out += QStringLiteral("</table><br/><table border='1' cellspacing='0' cellpadding='3' "
                          "width='100%'><tr>");
    for (const QString& head :
         {QStringLiteral("#"), texts::Step, texts::Expected, texts::Actual, texts::Verdict})
        out += cell(head, QStringLiteral("th"));
    out += QStringLiteral("</tr>");
    for (qsizetype i = 0; i < r.steps.size(); ++i) {
        const diagnosis::StepRecord& s = r.steps[i];
        const QString actual =
            s.reason.isEmpty() ? s.actual : s.actual + QStringLiteral("：") + s.reason;
        out += QStringLiteral("<tr>") + cell(QString::number(i + 1)) + cell(s.name) +
               cell(s.expected) + cell(actual) + cell(diagnosis::verdictText(s.verdict)) +
               QStringLiteral("</tr>");
    }
    out +=
        QStringLiteral("</table><p style='font-size:40pt; font-weight:bold'>%1 %2</p>")
            .arg(texts::Overall.toHtmlEscaped(), diagnosis::verdictText(r.overall).toHtmlEscaped());
    // The frames start a page of their own, so the verdicts fit on the first.
    out += QStringLiteral("<h3 style='page-break-before: always'>%1</h3><pre>")
               .arg(texts::Frames.toHtmlEscaped());
    for (qsizetype i = 0; i < r.steps.size(); ++i) {
        out += QStringLiteral("%1 %2\n").arg(i + 1).arg(r.steps[i].name.toHtmlEscaped());
        for (const QString& frame : r.steps[i].frames)
            out += QStringLiteral("    ") + frame.toHtmlEscaped() + u'\n';
    }
    return out + QStringLiteral("</pre>");
}

} // namespace

bool writeCertificatePdf(const diagnosis::TestRecord& record, const QString& path, QString* error)
{
    // QPrinter says nothing when it cannot write its file: the usual cause is named here.
    if (!QFileInfo(path).absoluteDir().exists()) {
        if (error)
            *error = texts::CannotWrite.arg(path, texts::FolderMissing);
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    printer.setDocName(texts::Title.arg(record.unit));
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    document.setHtml(html(record));
    document.print(&printer);
    if (!QFileInfo(path).exists() || QFileInfo(path).size() == 0) {
        if (error)
            *error = texts::CannotWrite.arg(path, QString());
        return false;
    }
    return true;
}

} // namespace widgets
