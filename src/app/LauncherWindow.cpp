#include "app/LauncherWindow.h"

#include "ui/Application.h"

namespace qel {

Tf_inst* f_inst = nullptr;

namespace {
constexpr COLORREF kMaroon = RGB(128, 0, 0);
// Stored layout at 96 dpi.
constexpr int kClientWidth = 601;
constexpr int kClientHeight = 362;
constexpr int kStatusHeight = 19;
constexpr int kBar1Right = 167;
constexpr int kBar2Right = 377;
}  // namespace

Tf_inst::Tf_inst(const Site& site, StartUp startUp) : site_(site) {
    f_inst = this;
    CreateComponents();
    if (startUp == StartUp::Run && ui::application) ui::application->Guarded([this] { FormCreate(); });
}

Tf_inst::~Tf_inst() {
    if (f_inst == this) f_inst = nullptr;
}

void Tf_inst::CreateComponents() {
    SetCaption("系统打开中...");
    SetColor(kMaroon);
    SetTransparentColor(kMaroon);
    SetClientSize(Scale(kClientWidth), Scale(kClientHeight));

    const int width = Scale(kClientWidth);
    const int statusTop = Scale(kClientHeight) - Scale(kStatusHeight);
    const int statusHeight = Scale(kStatusHeight);

    Label1.SetBounds(Scale(35), Scale(124), Scale(337), Scale(28));
    Label1.SetCaption("Velmora");
    Label1.SetFont({L"MS Sans Serif", 19, true});
    Label1.SetTextColor(RGB(0, 0, 0));
    AddControl(&Label1);

    Image1.SetBounds(0, 0, width, statusTop);
    AddControl(&Image1);

    RzStatusBar1.SetBounds(0, statusTop, width, statusHeight);
    RzStatusBar1.SetColor(RGB(255, 255, 255));
    AddControl(&RzStatusBar1);

    rpb1.SetBounds(0, statusTop, Scale(kBar1Right), statusHeight);
    AddControl(&rpb1);
    rpb2.SetBounds(Scale(kBar1Right), statusTop, Scale(kBar2Right) - Scale(kBar1Right), statusHeight);
    AddControl(&rpb2);
    rsp1.SetBounds(Scale(kBar2Right), statusTop, width - Scale(kBar2Right), statusHeight);
    rsp1.SetFont({L"MS Sans Serif", 8, false});
    AddControl(&rsp1);

    // The countdown runs from here: armed as soon as its handler is attached.
    Timer1.SetOnTimer([this] { Timer1Timer(); });

    IdHTTP1.OnWorkBegin = [this](http::WorkMode mode, std::int32_t count) { IdHTTP1WorkBegin(mode, count); };
    IdHTTP1.OnWork = [this](http::WorkMode mode, std::int32_t count) { IdHTTP1Work(mode, count); };
}

void Tf_inst::FormCreate() {}

void Tf_inst::Timer1Timer() {}

void Tf_inst::IdHTTP1WorkBegin(http::WorkMode, std::int32_t count) { rpb1.SetTotalParts(count); }

void Tf_inst::IdHTTP1Work(http::WorkMode, std::int32_t count) { rpb1.SetPartsComplete(count); }

}  // namespace qel
