#pragma once
// The launcher window: a borderless, colour-keyed splash panel with a status strip along its
// bottom edge. It owns every component the launcher works through and its one state of its own,
// ConnectionKind. Constructing it creates the components in order, arms Timer1 for one second and
// runs FormCreate (the start-up sequence), whose errors are shown in the standard error box.
#include <cstdint>
#include <string>

#include "common/Site.h"
#include "db/Query.h"
#include "http/HttpClient.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace qel {

class Tf_inst : public ui::Form {
public:
    enum class StartUp { Run, Skip };  // Skip: no FormCreate (windows built by tests)

    explicit Tf_inst(const Site& site, StartUp startUp = StartUp::Run);
    ~Tf_inst() override;

    // Components, in declaration order.
    ui::StatusBar RzStatusBar1;
    ui::ProgressBar rpb2;
    ui::Image Image1;
    ui::Label Label1;
    db::Query q1;
    ui::StatusPane rsp1;
    ui::ProgressBar rpb1;
    ui::Timer Timer1;
    http::HttpClient IdHTTP1;

    // Handlers.
    void FormCreate();
    void Timer1Timer();
    void IdHTTP1WorkBegin(http::WorkMode mode, std::int32_t count);
    void IdHTTP1Work(http::WorkMode mode, std::int32_t count);

    // Operations of the window.
    void DetectConnection();                            // sets ConnectionKind from the system's answer
    void ShowSplashImage(const std::string& imageName); // fetches a picture into Image1
    void RunUpdatePass();                               // the update pass (not built yet)

    const Site& site() const { return site_; }
    std::int32_t connectionKind() const { return ConnectionKind; }

private:
    void CreateComponents();

    Site site_;
    std::int32_t ConnectionKind = 0;
};

// The one launcher window, set from the moment it is allocated.
extern Tf_inst* f_inst;

}  // namespace qel
