// A count of the attainable-speed search's iterations, for the model
// benchmark (bench/ModelBench.cpp) only: it builds its own copy of the core
// with CONVERTD_SEARCH_STATS defined. In ConvertD and the tests the count
// compiles to nothing.
#ifndef CONVERTD_MODEL_SEARCHSTATS_H_
#define CONVERTD_MODEL_SEARCHSTATS_H_

#ifdef CONVERTD_SEARCH_STATS
extern long long SearchIterationCount;
#define CONVERTD_COUNT_SEARCH_ITERATION() (++SearchIterationCount)
#else
#define CONVERTD_COUNT_SEARCH_ITERATION() ((void)0)
#endif

#endif  // CONVERTD_MODEL_SEARCHSTATS_H_
