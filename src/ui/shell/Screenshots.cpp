#include "shell/Screenshots.h"

#include "data/UDatenLesen.h"
#include "data/UGraphForm.h"
#include "datafile/DataFile.h"
#include "datafile/Hygiene.h"
#include "dialogs/UAnlDatumSet.h"
#include "dialogs/UAnlageDaten.h"
#include "dialogs/UO2MessSetup.h"
#include "dialogs/UPC_Setup.h"
#include "dialogs/UMqttSetup.h"
#include "dialogs/UPfadsetzen.h"
#include "dialogs/UTagebuch.h"
#include "link/Commands.h"
#include "link/PlantTable.h"
#include "live/UAnzeige.h"
#include "models/UMessDaten.h"
#include "reports/GraphFill.h"
#include "reports/HygieneFill.h"
#include "reports/ReportForms.h"
#include "reports/UCSV_Lesen.h"
#include "reports/UProtokKopf.h"
#include "reports/UMietenregister.h"
#include "settings/SettingsFile.h"
#include "shell/UMain.h"
#include "widgets/FormPlacement.h"
#include "widgets/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// The picture of a window as it opened, and a line for sizes.txt with its size
// against the screen's free area.
void Save(QWidget *w, const QString &folder, const char *name, QStringList &sizes)
{
    if (!w->isVisible()) {
        w->show();
        QCoreApplication::processEvents();
    }
    const QString file = QDir(folder).filePath(QString::fromLatin1(name));
    if (!w->grab().save(file))
        std::fprintf(stderr, "o2-haldrix: cannot write %s\n", qPrintable(file));
    const QRect free = w->screen() ? w->screen()->availableGeometry() : QRect();
    const bool inside = OpensOnScreen(w);
    sizes << QStringLiteral("%1 %2x%3 at %4,%5 on %6x%7 %8")
                 .arg(QString::fromLatin1(name))
                 .arg(w->frameGeometry().width()).arg(w->frameGeometry().height())
                 .arg(w->x()).arg(w->y()).arg(free.width()).arg(free.height())
                 .arg(inside ? QStringLiteral("ok") : QStringLiteral("BEYOND THE SCREEN"));
    if (!inside)
        std::fprintf(stderr, "o2-haldrix: %s opens beyond the screen: %s\n", name, qPrintable(sizes.last()));
}

} // namespace

void TakeScreenshots(TFMain *main, const QString &folder)
{
    QDir().mkpath(folder);
    auto sizes = std::make_shared<QStringList>();
    Save(main, folder, "main.png", *sizes);
    QTimer::singleShot(3200, main, [main, folder, sizes] {
        if (FAnzeige) {
            Save(FAnzeige, folder, "live.png", *sizes);
            // The live display's dialogs, as they open for the selected plant.
            auto save = [&folder, &sizes](QWidget *w, const char *name) { Save(w, folder, name, *sizes); };
            TFAnlageDaten data(Plants().SelectedPlant, FAnzeige);
            save(&data, "anlagedaten.png");
            TFPfadsetzen folders(FAnzeige);
            folders.SetFolder(Settings().ProgramFolder);
            save(&folders, "pfadsetzen.png");
            TFAnlDatumSetup clock(FAnzeige);
            save(&clock, "anldatum.png");
            TFProtokKopf company(main);
            save(&company, "protokkopf.png");
            TFCSV_Lesen protocols(main);
            protocols.FormActivate();
            if (QFileInfo::exists(Plants().PlantTable[Plants().SelectedPlant].Datei))
                protocols.OpenFile(Plants().PlantTable[Plants().SelectedPlant].Datei);
            save(&protocols, "protokoll.png");
            // The selected pile's journal, and the site register with its print.
            const QString pileFile = Plants().PlantTable[Plants().SelectedPlant].Datei;
            if (QFileInfo(pileFile).isFile()) {
                TFTagebuch journal(pileFile, Plants().SelectedPlant, FAnzeige);
                save(&journal, "tagebuch.png");
            }
            TFMietenregister siteRegister(main);
            save(&siteRegister, "mietenregister.png");
            const QString registerPdf = QDir(folder).filePath(QStringLiteral("mietenregister.pdf"));
            if (siteRegister.PdfClick(registerPdf))
                QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "80", "-png", "-singlefile", registerPdf,
                                                              QDir(folder).filePath(QStringLiteral("mietenregister-druck"))});
            // A printed form as PDF, and its first page as a picture.
            auto print = [&folder](TReportForm &form, const char *name) {
                const QString pdf = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".pdf"));
                if (form.ExportPdf(pdf))
                    QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "80", "-png", "-singlefile", pdf,
                                                                  QDir(folder).filePath(QString::fromLatin1(name))});
            };
            print(*company.SampleForm(), "musterprotokoll");
            // The offline readout of the selected plant, its messages answered.
            SetMessageHandler([](MsgKind, const QString &) { return MsgAnswer::Ok; });
            TFDatenLesen1 readout(main);
            readout.show();
            readout.DatenAuslesen();
            SetMessageHandler({});
            save(&readout, "datenlesen.png");
            if (readout.RecordsRead() > 0)
                print(*readout.GridProtocol(), "datenlesen-protokoll");
            // The set-up dialogs, and the graph of the selected plant's data file.
            if (ReadPlantSetup(Plants().SelectedPlant)) {
                TFO2MessSetup setup(FAnzeige);
                save(&setup, "setup.png");
            }
            TFPC_Setup pc(main);
            save(&pc, "pcsetup.png");
            TFMqttSetup mqtt(main);
            save(&mqtt, "mqttsetup.png");
            TFGraphForm graph(main);
            if (!Plants().PlantTable[Plants().SelectedPlant].Datei.isEmpty())
                graph.OpenFile(Plants().PlantTable[Plants().SelectedPlant].Datei);
            save(&graph, "graph.png");
            if (graph.Model().FileValid) {
                print(*MakeGraphReport(graph.Model(), graph.Curves(), graph.Chart()), "grafik");
                graph.Model().AttachSeries(graph.Chart());
            }
            // The hygiene evidence page of the same file.
            DataFileContent evidenceFile;
            if (LoadDataFile(Plants().PlantTable[Plants().SelectedPlant].Datei, evidenceFile, nullptr) && evidenceFile.FileValid)
                print(*MakeHygienePage(EvaluateHygiene(evidenceFile, ChosenHygieneCriterion(), Plants().RefTemp, ReadHygieneCalendar()), evidenceFile),
                      "hygiene");
            graph.close();
        }
        QFile list(QDir(folder).filePath(QStringLiteral("sizes.txt")));
        if (list.open(QIODevice::WriteOnly | QIODevice::Text))
            list.write(sizes->join(u'\n').toUtf8() + '\n');
        main->CloseProgram();
    });
    main->PCAufzeichnungClick();
}

