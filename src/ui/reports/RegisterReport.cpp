#include "reports/RegisterReport.h"

#include "print/BandReport.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <memory>

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("Register", text); }

} // namespace

bool WriteRegisterPdf(const QString &path, const std::vector<RegisterRow> &rows, const QString &scope,
                      const QString &criterion, QString *error, int *pages)
{
    BandReport r;
    r.PageSize = QPageSize(QPageSize::A4);
    r.Orientation = QPageLayout::Landscape;
    r.MarginsMm = QMarginsF(10, 10, 10, 10);
    r.Title = Tr(QT_TRANSLATE_NOOP("Register", "Mietenregister"));
    r.Header = {{{}, r.Title, 12, true}};
    for (int line = 1; line <= 3; ++line)
        r.Header.push_back({{}, CompanyLine(line), 9});
    r.Header.push_back({Tr(QT_TRANSLATE_NOOP("Register", "Umfang:")), scope, 9});
    r.Header.push_back({Tr(QT_TRANSLATE_NOOP("Register", "Kriterium:")), criterion, 9});
    r.Header.push_back({Tr(QT_TRANSLATE_NOOP("Register", "Mieten:")), QString::number(rows.size()), 9});
    const QStringList headings = RegisterHeadings();
    static const double shares[] = {0.7, 1.4, 2.0, 1.6, 1.6, 1.1, 3.4, 1.9, 0.9, 1.0, 1.6};
    for (int c = 0; c < headings.size(); ++c)
        r.Columns.push_back({{}, headings[c], shares[c], c == 0 || c == 5 || c == 8 || c == 9 ? Qt::AlignRight : Qt::AlignLeft});
    r.DetailPointSize = 7.5;
    r.FooterDateLabel = Tr(QT_TRANSLATE_NOOP("Register", "Druckdatum/-zeit :"));
    r.FooterPageLabel = Tr(QT_TRANSLATE_NOOP("Register", "Seitennr. :"));
    auto row = std::make_shared<size_t>(0);
    auto cells = std::make_shared<QStringList>();
    r.NextRow = [&rows, row, cells] {
        if (*row >= rows.size()) {
            *row = 0;                   // the next rendering starts again
            return false;
        }
        *cells = RegisterCells(rows[(*row)++]);
        return true;
    };
    r.CellText = [cells](int column) { return cells->value(column); };
    return r.WritePdf(path, error, pages, true);
}
