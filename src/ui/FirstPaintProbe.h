#pragma once
// Start-up timing: when the environment variable KESTREL_FIRST_PAINT_PROBE is set,
// the launcher prints the line "first-paint" on standard output as soon as the main
// menu window is first painted. bench/startup measures the time from starting the
// process to that line.
#include <QObject>

#include <memory>

class FirstPaintProbe : public QObject
{
public:
    static constexpr const char* kVariable = "KESTREL_FIRST_PAINT_PROBE";
    static constexpr const char* kLine = "first-paint\n";

    // Watches every paint of the application for one of a widget of windowClass.
    explicit FirstPaintProbe(const char* windowClass);
    ~FirstPaintProbe() override;

    // Installs a probe for the main menu when the variable is set; null otherwise.
    static std::unique_ptr<FirstPaintProbe> InstallIfAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const char* m_windowClass;
    bool m_reported = false;
};
