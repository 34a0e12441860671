// TCalculateProc: the one conversion object. It holds the settings read from
// the input files, the fixed constants, the trace, the full-load curve and the
// per-gear table; every stage of a conversion is one of its members. The
// members are defined by subsystem under input/, model/, passes/, shift/ and
// output/.
#ifndef CONVERTD_CONTEXT_CALCULATEPROC_H_
#define CONVERTD_CONTEXT_CALCULATEPROC_H_

#include <cstdio>
#include <string>
#include <vector>

#include "context/OrderedSet.h"
#include "context/Records.h"
#include "context/Trace.h"
#include "model/SpeedMemo.h"

class TCalculateProc {
 public:
  typedef TCalcData::iterator Pos;

  TCalculateProc();
  virtual ~TCalculateProc();

  // Run sequence.
  bool Init();
  bool Init(const std::string& outFileName);
  bool DataClear();
  int CalculateProcess();

  // Context helpers.
  bool GetKG(double& kg);
  double GetMaxNe();

  // Input.
  void SetConstants();
  bool EnvRead();
  bool PtnRead(const std::string& fileName);
  void BtwnTimeSet(Pos first, Pos last);
  int ReadMaxTorqueData(const std::string& fileName);
  double GetLineReviseMaxTorque(double ne);
  bool GetExceedF();
  double GetGearPass(int gear);

  // Vehicle model.
  double GetCarWeight(bool withRotating, int gear);
  double CalcRL(double v);
  int GetGearHi(int gear, double& ratio);
  int GetGeariN(int gear, double& iN);
  int GetNe(int gear, double v, double& ne);
  int GetV(int gear, double ne, double& v);
  int GetTe(int gear, double v, double acc, double ne, double& te);
  int GetTe_NotRevise(int gear, double v, double acc, double ne, double& te);
  bool CheckForce(int gear, double v, double acc);
  bool CalcForceWithNeSet(int gear, double te, double ne);
  bool CalcTeMaxSp(int gear, double dt, double vStart, double& v, double& ne);

  // Trace preparation and operating-point passes.
  bool Calculate_progress1();
  void BtwnCarASet(Pos first, Pos last);
  bool Calculate_progress2();
  bool Calculate_T1T2Set();
  bool Calculate_progress3();
  bool Calculate_SetIDLE(Pos first, Pos last);
  bool Calculate_Set_Start(Pos first, Pos last);
  bool Calculate_Set_SteadyState(Pos first, Pos last);
  bool Calculate_Set_Deceleration(Pos first, Pos last);
  bool Calculate_Set_Acceleration(Pos first, Pos last);
  bool Calculate_Start_Following(Pos& cursor);

  // Gear-shift determination.
  bool Calculate_T3Set(Pos first, Pos& last);
  bool Calculate_T6Set(Pos first, Pos last);
  bool Calculate_RatedUp(Pos first, Pos last, int& newGear, int gear);
  bool Calculate_RatedDown(Pos first, Pos last, int& newGear, int gear);
  bool Calculate_T3Check(Pos first, Pos end, int candidate, int current);
  bool Calculate_GearUp(Pos first, Pos end, double& deficit, int& gear);
  bool Calculate_MaxNeGearUp(Pos first, Pos end, int& gear);
  bool Calculate_TeMinGear(Pos record, int i, int& gear);

  // Output.
  void GetCalculateDataFileName(std::string& name);
  int WriteHead(FILE* file);
  int WriteAllCalculateData();
  void DispCalculateData();
  // Warns on standard error of every stretch where the vehicle stays far
  // behind its target (output/FollowWarning.h).
  void WarnFollowStretches();

  // Members, in the order of the conversion context.
  std::string OutFileName;
  double Pi;
  double TimeStep;
  int GearNum;
  double Payload;
  double W0;
  double Crew;
  double CrewUnitWeight;
  double TestW0;
  double TestPayload;
  double RotCoefA;
  double RotCoefB;
  double TireRadius;
  double Height;
  double Width;
  double NecPercent;
  double NesPercent;
  double Nec;
  double Nes;
  double Nrate;
  double Nex;
  double Nidle;
  std::vector<double> GearRatio;
  double FinalRatio;
  double FinalEfficiency;
  int LowestShiftGear;
  double ShiftTime;
  double MaxNe;
  double Gravity;
  TCalcData CalcData;
  Pos CalcCursor;
  TOrderedSet<MAX_TORQUE> MaxTorque;
  TOrderedSet<MAX_TORQUE>::iterator MaxTorqueCursor;
  TOrderedSet<stExceedForce> ExceedForce;
  TOrderedSet<stExceedForce>::iterator ExceedForceCursor;

  // The names of the input files as read, so that the result file never
  // overwrites one of them: DATA, pattern, vehicle specification, curve.
  std::vector<std::string> InputFileNames;

  // Why the conversion could not go on: one line for standard error, set by
  // the first calculation failure and printed by the run sequence.
  std::string CalcError;
  bool CalcFailure(Pos record, int gear);
  bool CalcFailure(Pos record, const std::string& reason);

 private:
  // Shared by the shift searches.
  bool StepUpdate(Pos x, int gear, double& v, double& ne, double& acc);
  Pos WindowEnd(Pos x, double seconds);
  double StepDeficit(Pos x);
  bool GearDown(int gear, double& ndown);
  bool EnterSearch();
  void LeaveSearch() { --SearchDepth; }
  int SearchDepth = 0;

 public:
  // Answers of CalcTeMaxSp, kept while Pass 3 runs (model/SpeedMemo.h).
  TSpeedMemo SpeedMemo;

 private:

  bool ReadVehicle(const std::string& fileName);
  bool CheckVehicle(const std::string& fileName);
};

extern TCalculateProc* CalculateProc;

#endif  // CONVERTD_CONTEXT_CALCULATEPROC_H_
