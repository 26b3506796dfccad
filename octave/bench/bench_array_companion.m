function bench_array_companion (n)
  % Times qelmsv over n elements (default 1e5; x in (0.1, 20.1), a in
  % (0.5, 10.5)) against Octave's built-in function for the same quantity,
  % on one thread (QELMS_NUM_THREADS=1) and on every core; then a sequence
  % routine: 2n elements of zbeslj (order 10.3, n = 1, z in the square
  % |Re z|, |Im z| < 20) on one thread and on every core, and n elements
  % through qelmsv against a loop of qelms calls. Prints the fastest of
  % several runs (the machine may be shared) and the ratios. A measurement,
  % not a test: nothing fails on a slow result. QELMS_NUM_THREADS is left
  % as it was found.
  if nargin < 1
    n = 1e5;
  end
  saved = getenv ("QELMS_NUM_THREADS");
  cleanup = onCleanup (@() restore_threads (saved));
  printf ("%d cores\n", nproc ());
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
  printf ("%-9s %11s %11s %11s %8s %8s   (n = %d, fastest of 15 runs)\n", "function", "built-in s", ...
          "1 thread s", "all s", "ratio 1", "ratio all", n);
  for k = 1:rows (cases)
    tb = fastest_time (cases{k, 2}, 15);
    t1 = with_threads ("1", cases{k, 3}, 15);
    ta = with_threads ("", cases{k, 3}, 15);
    printf ("%-9s %11.4f %11.4f %11.4f %8.2f %8.2f\n", cases{k, 1}, tb, t1, ta, t1 / tb, ta / tb);
  end

  z = complex (40 * rand (2 * n, 1) - 20, 40 * rand (2 * n, 1) - 20);
  f = @() qelmsv ("zbeslj", 10.3, z, 1, "U", 1);
  setenv ("QELMS_NUM_THREADS", "1");
  one = f ();
  unsetenv ("QELMS_NUM_THREADS");
  same = isequal (one, f ());
  t1 = with_threads ("1", f, 7);
  ta = with_threads ("", f, 7);
  printf ("zbeslj over %d elements: 1 thread %.4f s, all %.4f s, speed-up %.2f, same bits: %d\n", ...
          2 * n, t1, ta, t1 / ta, same);

  w = z(1:n);
  tv = with_threads ("", @() qelmsv ("zbeslj", 10.3, w, 1, "U", 1), 7);
  tl = fastest_time (@() qelms_loop (w), 3);
  printf ("zbeslj over %d elements: qelmsv %.4f s, a loop of qelms %.4f s, %.1f times faster\n", n, tv, tl, tl / tv);
end

function cy = qelms_loop (z)
  cy = complex (zeros (size (z)));
  for k = 1:numel (z)
    [cy(k), ~, ~] = qelms ("zbeslj", 10.3, z(k), 1, "U", 1);
  end
end

function t = with_threads (setting, f, runs)
  if isempty (setting)
    unsetenv ("QELMS_NUM_THREADS");
  else
    setenv ("QELMS_NUM_THREADS", setting);
  end
  t = fastest_time (f, runs);
end

function restore_threads (saved)
  if isempty (saved)
    unsetenv ("QELMS_NUM_THREADS");
  else
    setenv ("QELMS_NUM_THREADS", saved);
  end
end

function t = fastest_time (f, runs)
  f ();  % warm up
  times = zeros (1, runs);
  for r = 1:runs
    tic; f (); times(r) = toc;
  end
  t = min (times);
end
