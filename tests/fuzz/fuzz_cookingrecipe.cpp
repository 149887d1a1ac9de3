// Feeds arbitrary text to the cooking reader as a whole recipe and checks the
// shape of what comes back: spans of time inside their step's text, in order,
// not overlapping, positive and at most two days; each step's ingredients
// existing rows in order; the step text unchanged at factor 1, and scaling
// at other factors never failing.
#include "cooking/cookingrecipe.h"
#include "cooking/durationfinder.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const CookingRecipe recipe = CookingRecipe::fromText(text, QStringLiteral("fuzz"));
    const QList<CookingStep> steps = recipe.steps();
    for (int index = 0; index < steps.size(); ++index) {
        const CookingStep& step = steps[index];
        check(!step.text.isEmpty());
        qsizetype end = 0;
        for (const StepDuration& duration : step.durations) {
            check(duration.position >= end && duration.length > 0);
            end = duration.position + duration.length;
            check(end <= step.text.size());
            check(duration.lowSeconds > 0 && duration.lowSeconds <= duration.highSeconds);
            check(duration.highSeconds <= DurationFinder::maxSeconds);
        }
        int previous = -1;
        for (int row : step.ingredients) {
            check(row > previous && row < recipe.ingredients().size());
            previous = row;
        }
        check(recipe.stepText(index, Fraction(1)) == step.text);
        recipe.stepText(index, Fraction(2));
        recipe.stepText(index, Fraction(1, 2));
    }
    return 0;
}
