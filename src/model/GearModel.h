// The formulas of the vehicle model, and a gear's model with everything that
// does not depend on the speed worked out once.
//
// GetNe, GetV, CalcRL and GetTe_NotRevise evaluate these formulas, and so
// does TGearModel, with its constants taken from the same members: both give
// the same doubles, operation for operation. The attainable-speed search
// evaluates one gear many times over and uses TGearModel.
#ifndef CONVERTD_MODEL_GEARMODEL_H_
#define CONVERTD_MODEL_GEARMODEL_H_

class TCalculateProc;

// Engine speed [rpm] at v [km/h] with the total ratio iN; wheel is the tyre
// circumference 2 Pi r [m].
inline double EngineSpeed(double v, double iN, double wheel) {
  return v / 60 * iN * 1000 / wheel;
}

// Vehicle speed [km/h] at the engine speed ne [rpm].
inline double VehicleSpeed(double ne, double iN, double wheel) {
  return ne * 60 / iN / 1000 * wheel;
}

// Rolling resistance [kgf] of the test mass w [kg].
inline double RollingResistance(double w) { return (17.6 / w + 0.00513) * w; }

// Air resistance coefficient [kgf/(km/h)²] of the frontal area.
inline double AirCoefficient(double width, double height) {
  return 0.00299 * width * height - 0.000832;
}

// Running resistance [kgf] at v [km/h].
inline double RunningResistance(double rolling, double airCoefficient, double v) {
  return rolling + airCoefficient * v * v;
}

// Engine torque [N·m] for the acceleration acc [m/s²] against the running
// resistance rl [kgf]: factor = g r / (iN etaGear etaFinal), massPerG = the
// test mass with its rotating equivalent, divided by g.
inline double TorqueDemand(double factor, double massPerG, double acc, double rl) {
  return factor * (massPerG * acc + rl);
}

struct TGearModel {
  double iN = 0;
  double wheel = 0;
  double factor = 0;
  double massPerG = 0;
  double rolling = 0;
  double airCoefficient = 0;

  double Ne(double v) const { return EngineSpeed(v, iN, wheel); }
  double V(double ne) const { return VehicleSpeed(ne, iN, wheel); }
  // GetTe_NotRevise of the gear.
  double Demand(double v, double acc) const {
    return TorqueDemand(factor, massPerG, acc, RunningResistance(rolling, airCoefficient, v));
  }
};

// The model of gear from the settings of proc; false, m untouched, when the
// gear has no ratio (where GetNe and GetTe_NotRevise fail).
bool MakeGearModel(TCalculateProc& proc, int gear, TGearModel& m);

#endif  // CONVERTD_MODEL_GEARMODEL_H_
