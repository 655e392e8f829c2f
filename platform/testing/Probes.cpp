#include "platform/testing/Probes.h"

#include "platform/core/Errors.h"
#include "platform/desktop/Application_p.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/Menus_p.h"
#include "platform/desktop/RepaintingYield_p.h"
#include "platform/desktop/Timer_p.h"

namespace platform::testing {

std::optional<std::int64_t> RequestedExitCode() {
    return detail::requestedExitCode();
}

void ResetRequestedExitCode() {
    detail::requestedExitCode().reset();
}

std::int64_t YieldCount() {
    return detail::yieldCount();
}

std::int64_t PictureLoadCount() {
    return detail::pictureLoadCount();
}

std::optional<DesktopTimerWait> DesktopWaitFor(const Timer& timer) {
    const detail::DesktopWait wait = detail::desktopWait(timer);
    if (!wait.waiting)
        return std::nullopt;
    return DesktopTimerWait{wait.milliseconds, wait.precise};
}

PlatformTrace::PlatformTrace() {
    detail::traceLog = &m_events;
}

PlatformTrace::~PlatformTrace() {
    detail::traceLog = nullptr;
}

namespace {
MenuOperationProbe* activeProbe = nullptr;
}

MenuOperationProbe::MenuOperationProbe() {
    activeProbe = this;
    detail::menuOperationProbe = &MenuOperationProbe::observe;
}

MenuOperationProbe::~MenuOperationProbe() {
    detail::menuOperationProbe = nullptr;
    activeProbe = nullptr;
}

void MenuOperationProbe::FailAt(std::string operation, int occurrence) {
    m_failing = std::move(operation);
    m_occurrence = occurrence;
    m_seen = 0;
}

void MenuOperationProbe::observe(std::string_view operation) {
    MenuOperationProbe& probe = *activeProbe;
    ++probe.m_operations;
    if (operation != probe.m_failing || ++probe.m_seen != probe.m_occurrence)
        return;
    ++probe.m_failures;
    throw PlatformError("The menu operation " + std::string(operation) + " failed.");
}

void WhenEventLoopRuns(std::function<void()> step) {
    detail::loopSteps().push_back(std::move(step));
}

} // namespace platform::testing
