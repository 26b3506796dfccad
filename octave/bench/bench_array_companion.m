function bench_array_companion (n)
  % Times qelmsv over n elements (default 1e5; x in (0.1, 20.1), a in
  % (0.5, 10.5)) against Octave's built-in function for the same quantity; prints the fastest of several runs (the machine may be shared) and the
  % ratio. A measurement, not a test: nothing fails on a slow result.
  if nargin < 1
    n = 1e5;
  end
  rand ("seed", 1);
  x = 0.1 + 20 * rand (1, n);
  a = 0.5 + 10 * rand (1, n);
  s = x / 5;  % erf and erfc over (0.02, 4), where neither saturates
  cases = {
    "gamma",    @() gamma (x),          @() qelmsv ("gammaf", x, 1)
    "gammaln",  @() gammaln (x),        @() qelmsv ("lngamm", x, 1)
    "erf",      @() erf (s),             @() qelmsv ("errfun", s, 1)
    "erfc",     @() erfc (s),            @() qelmsv ("erfcmp", s, 1)
    "expint",   @() expint (x),         @() qelmsv ("expint", x, 1)
    "gammainc", @() gammainc (x, a),    @() qelmsv ("gaminc", a, x, 0, 1)
  };
  printf ("%-9s %12s %12s %7s   (n = %d, fastest of 15 runs)\n", "function", "built-in s", "qelmsv s", "ratio", n);
  for k = 1:rows (cases)
    tb = fastest_time (cases{k, 2});
    tq = fastest_time (cases{k, 3});
    printf ("%-9s %12.4f %12.4f %7.2f\n", cases{k, 1}, tb, tq, tq / tb);
  end
end

function t = fastest_time (f)
  f ();  % warm up
  times = zeros (1, 15);
  for r = 1:numel (times)
    tic; f (); times(r) = toc;
  end
  t = min (times);
end
