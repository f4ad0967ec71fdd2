#include "formats/clap/clap_panel.h"

#include "formats/clap/clap_plugin.h"

namespace molvex::clap {

ClapPanel::ClapPanel(ClapPlugin& plugin) : plugin(plugin) {
    for (float& value : seen) value = -1.0f;
}

ClapPanel::~ClapPanel() {
    if (timer != CLAP_INVALID_ID) plugin.getHost().unregisterTimer(timer);
}

bool ClapPanel::setScale(double scale) {
    if (scale != 1.0 && scale != 1.5 && scale != 2.0) return false;
    if (open) return false;
    hostScale = scale;
    session.reset();
    return true;
}

PanelSession& ClapPanel::ensureSession() {
    if (!session) {
        session = std::make_unique<PanelSession>(static_cast<PanelHost&>(*this), hostScale);
        for (float& value : seen) value = -1.0f;
        followEffect();
    }
    return *session;
}

bool ClapPanel::getSize(std::uint32_t& width, std::uint32_t& height) {
    PanelSession& panel = ensureSession();
    if (panel.width() <= 0 || panel.height() <= 0) return false;
    width = static_cast<std::uint32_t>(panel.width());
    height = static_cast<std::uint32_t>(panel.height());
    return true;
}

bool ClapPanel::setParent(void* parent) {
    if (open || !parent || !ensureSession().open(parent)) return false;
    open = true;
    // The window is mapped as it is made; the first idle asks the server
    // for its messages, which flushes the connection, so the host sees the
    // panel at once.
    session->idle();
    if (!plugin.getHost().registerTimer(kTimerMs, timer)) timer = CLAP_INVALID_ID;
    return true;
}

void ClapPanel::onTimer(clap_id id) {
    if (id != timer || !session) return;
    followEffect();
    session->idle();
}

void ClapPanel::followEffect() {
    DspSession& dsp = plugin.getSession();
    for (int i = 0; i < kParameterCount; ++i) {
        const auto parameter = static_cast<ParameterIndex>(i);
        const float value = dsp.getNormalized(parameter);
        if (value == seen[i]) continue;
        seen[i] = value;
        session->setNormalized(parameter, value);
    }
}

void ClapPanel::edited(ParameterIndex parameter, float value) {
    plugin.panelEdit(
        {PanelEdit::Kind::value, static_cast<std::uint32_t>(toIndex(parameter)), value});
}

void ClapPanel::gestureBegins(ParameterIndex parameter) {
    plugin.panelEdit(
        {PanelEdit::Kind::begin, static_cast<std::uint32_t>(toIndex(parameter)), 0.0f});
}

void ClapPanel::gestureEnds(ParameterIndex parameter) {
    plugin.panelEdit({PanelEdit::Kind::end, static_cast<std::uint32_t>(toIndex(parameter)), 0.0f});
}

bool ClapPanel::canResize() { return true; }

bool ClapPanel::resize(int width, int height) {
    return width > 0 && height > 0 &&
           plugin.getHost().requestResize(static_cast<std::uint32_t>(width),
                                          static_cast<std::uint32_t>(height));
}

}  // namespace molvex::clap
