// Every record shape of the family's calculators is compiled here: no screen of this app uses them.
#include "engine/family/KivoACMethod.h"
#include "engine/family/KivoAdvancedPowerCalculator.h"
#include "engine/family/KivoArbitraryTriangle.h"
#include "engine/family/KivoBernoulliExperiment.h"
#include "engine/family/KivoBernoulliFormula.h"
#include "engine/family/KivoBinomialCoefficient.h"
#include "engine/family/KivoBinomialDistribution.h"
#include "engine/family/KivoBinomialFormula.h"
#include "engine/family/KivoCircularCone.h"
#include "engine/family/KivoCombinatorics.h"
#include "engine/family/KivoExponentialGrowthAndDecay.h"
#include "engine/family/KivoFactorizeQuadratics.h"
#include "engine/family/KivoFindX.h"
#include "engine/family/KivoFormulaCalculation.h"
#include "engine/family/KivoFormulaCheck.h"
#include "engine/family/KivoFrustumOfACone.h"
#include "engine/family/KivoFrustumOfAPyramid.h"
#include "engine/family/KivoHypothesisTestTypeIError.h"
#include "engine/family/KivoIsoscelesTriangle.h"
#include "engine/family/KivoLinearEquation.h"
#include "engine/family/KivoLogarithmicIdentities.h"
#include "engine/family/KivoPQFormula.h"
#include "engine/family/KivoPercentageCalculator.h"
#include "engine/family/KivoPowerAndLogarithmicFunction.h"
#include "engine/family/KivoPyramid.h"
#include "engine/family/KivoPythagoras.h"
#include "engine/family/KivoReduceFraction.h"
#include "engine/family/KivoRightTriangle.h"
#include "engine/family/KivoRuleOfProportion.h"
#include "engine/family/KivoSimpleFractionCalculator.h"
#include "engine/family/KivoSimpleLogarithm.h"
#include "engine/family/KivoSimplePowerCalculator.h"
#include "engine/family/KivoSineCosineTangent.h"
#include "engine/family/KivoSphereCalculator.h"
#include "engine/family/KivoUnitCircle.h"
#include "engine/family/UnitCircleChartManager.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordShapes, TermFieldsAreFreshTermsNotShared) {
    KivoSimpleFractionCalculator first, second;
    ASSERT_NE(first.a, nullptr);
    EXPECT_NE(first.a, first.b);
    EXPECT_NE(first.a, second.a);
    EXPECT_FALSE(first.ab->z.has_value());
    EXPECT_EQ(first.cd->n, 1.0);
    EXPECT_FALSE(KivoPythagoras().a.z.has_value());
    EXPECT_EQ(KivoPQFormula().q.n, 1.0);
    EXPECT_FALSE(KivoSimpleLogarithm().allInputs.has_value());
    EXPECT_TRUE(KivoBernoulliFormula().allInputs.empty());
    EXPECT_TRUE(KivoArbitraryTriangle().inputParameters.empty());
    EXPECT_FALSE(KivoBinomialFormula().divisor.has_value());
}

} // namespace
