#include "player/run.h"

namespace zetplay {

Run PlayCode(const std::vector<zetreader::Instruction>& code, uint32_t codeLength,
             const RunSettings& settings) {
  zetstep::StepperSettings stepping;
  stepping.frameMs = settings.frameMs;
  stepping.maxMs = settings.maxMs;
  stepping.loop = settings.loop;
  stepping.seed = settings.seed;
  zetstep::Stepper stepper(code, codeLength, stepping);
  Run run;
  while (std::optional<Step> step = stepper.Next()) {
    run.steps.push_back(*step);
  }
  run.ending = stepper.ending();
  run.length = stepper.time();
  run.cycleStep = static_cast<size_t>(stepper.cycleStep());
  run.restartStep = static_cast<size_t>(stepper.restartStep());
  run.draws = stepper.draws();
  return run;
}

}  // namespace zetplay
