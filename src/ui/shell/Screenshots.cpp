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
#include "link/PollPause.h"
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
#include "widgets/PlantTabBar.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

template <class T> T *Find(QWidget *w, const char *name) { return w->findChild<T *>(QString::fromLatin1(name)); }

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
    // The memory warning in the live display needs the plants' counts: the tour reads
    // them as a transfer would begin.
    {
        const PollPause pause;
        for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n)
            if (Plants().PlantTable[n].Running)
                ReadStoredRecordCount(n);
    }
    QTimer::singleShot(4500, main, [main, folder, sizes] {
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
            // Another plant's clock text in its own layout (the tour's simulator
            // gives plant 3 "T14:30:00 08.12.26"), if there is one.
            if (Plants().PlantTable[3].Present) {
                Find<PlantTabBar>(&clock, "TabControl1")->SetCurrentIndex(2);
                save(&clock, "anldatum-2.png");
            }
            TFProtokKopf company(main);
            save(&company, "protokkopf.png");
            if (CompanyLinesArePlaceholders()) {
                // As it is asked for before the first pile starts.
                TFProtokKopf first(FAnzeige);
                first.AskBeforeFirstPile();
                save(&first, "protokkopf-erste-miete.png");
            }
            // A question whose Yes switches a plant off: No is the default button.
            {
                const MessageHandler unattended = CurrentMessageHandler();
                SetMessageHandler({});
                QTimer::singleShot(300, FAnzeige, [folder, sizes] {
                    if (QWidget *box = QApplication::activeModalWidget()) {
                        Save(box, folder, "frage-ausschalten.png", *sizes);
                        box->close();
                    }
                });
                ShowMessage(FAnzeige, MsgKind::RiskyConfirmation,
                            QCoreApplication::translate("Piles", "Nicht alle Daten wurden korrekt gespeichert!!\nTrotzdem Anlage ausschalten???"));
                SetMessageHandler(unattended);
            }
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
                // What is typed is taken as typed or refused visibly: "25.7" minutes
                // is no whole number, "25,7" % O2 ends at 21,0.
                auto type = [&setup](const char *field, const char *text, bool confirm) {
                    auto *box = Find<QAbstractSpinBox>(&setup, field);
                    box->setFocus();
                    box->selectAll();
                    for (const QChar c : QString::fromLatin1(text)) {
                        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                        QApplication::sendEvent(box->findChild<QLineEdit *>(), &press);
                    }
                    if (confirm) {
                        box->interpretText();
                        emit box->editingFinished();
                    }
                };
                type("O2AUSEdit", "25,7", true);
                save(&setup, "setup-begrenzt.png");
                type("IntEINEdit", "25.7", false);
                save(&setup, "setup-ganze-minuten.png");
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

