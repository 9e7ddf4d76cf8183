#include "app/startup_procedure.h"

#include "platform/message_texts.h"

const char* ComSecurityFailureText(bool koreanSystem) {
    return koreanSystem ? kComSecurityFailureKorean : kComSecurityFailureEnglish;
}

ExitStatus RunStartup(StartupEffects& effects) {
    // A second instance leaves everything to the first: nothing read, deleted or shown.
    if (effects.AnotherInstanceHoldsTheName()) return ExitStatus::AlreadyRunning;

    if (ReadStartupMode(effects.ArgumentText()) == StartupMode::Cleanup) {
        effects.DeleteRunValue();
        effects.RemoveWorkFiles();
        return ExitStatus::CleanupDone;
    }

    const PowerVerdict verdict = PowerGate(effects.ReadPowerStatus());
    if (verdict != PowerVerdict::Pass) {
        // Files of an earlier run go even though this run wrote nothing.
        effects.RemoveWorkFiles();
        effects.ShowPowerRefusal(RefusalMessageId(verdict));
        return RefusalExitStatus(verdict);
    }

    effects.InitializeCom();
    if (!effects.SetComSecurity()) {
        effects.ShowComSecurityFailure(ComSecurityFailureText(effects.IsKoreanSystem()));
        return ExitStatus::ComSecurityFailed;
    }

    const ExitStatus outcome = effects.RunSplashWindow();
    effects.ReleaseInstanceMutex();
    return outcome;
}
