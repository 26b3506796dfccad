% The process's resident memory stays flat over many calls of every kind:
% successes, silent and printing soft failures, use errors and hard failures
% caught by try/catch, with real and complex arguments.

function test_memory_flat ()
  calls = {
    {'gammaf', 0.5, 1}                 % success
    {'zexpon', 1+2i, 1}                % success, complex
    {'zexpon', complex(3, 0), 1}       % complex storage, zero imaginary part
    {'gammaf', complex(2, 0), 1}       % accepted as real
    {'gammaf', 0, 1}                   % silent soft failure
    {'zexpon', 1+2i, 1+2i}             % use error on a complex argument
    {'zexpon', [1+2i; 3i], 1}          % shape error on a complex argument
    {'gammaf', 1i, 1}                  % type error on a complex argument
    {'gammaf', 'x', 1}                 % type error
    {'gammaf', 1, 1, 1}                % count error
    {'nosuch', 1+1i, 1}                % unknown routine
  };
  printing = {
    {'gammaf', 0, -1}                  % printing soft failure
    {'gammaf', -2, 0}                  % hard failure
    {'zexpon', complex(800, 1e17), 0}  % hard failure, complex
  };
  rss_kb ();                           % the first calls load and settle everything
  run_mix (calls, printing, 10000);
  before = rss_kb ();
  run_mix (calls, printing, 100000);
  growth = rss_kb () - before;
  printf ('resident memory over 100000 calls: %d kB before, %+d kB\n', before, growth);
  if growth > 400
    error ('qelms_test:fail', 'resident memory grew by %d kB over 100000 calls', growth);
  end
end

function run_mix (calls, printing, total)
  n = numel (calls);
  for k = 1:total
    if mod (k, 16) == 0
      c = printing{1 + mod (k / 16, numel (printing))};
      try
        evalc ('qelms (c{:});');
      catch
      end
    else
      c = calls{1 + mod (k, n)};
      try
        [~, ~] = qelms (c{:});
      catch
      end
    end
  end
end

function kb = rss_kb ()
  status = fileread ('/proc/self/status');
  kb = str2double (regexp (status, 'VmRSS:\s*(\d+)', 'tokens', 'once'){1});
end
