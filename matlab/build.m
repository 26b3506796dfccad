% Builds the two MATLAB modules, qelms and its array companion qelmsv, into
% build/matlab with the R2017b API (separate complex storage), and copies
% their help files and Contents.m next to them. Run from the top of the
% source tree:
%   run matlab/build.m
%   addpath build/matlab
% Not tested here (no MATLAB on our machines); GNU Octave uses octave/build.sh.
root = fileparts (fileparts (mfilename ('fullpath')));
out = fullfile (root, 'build', 'matlab');
if ~exist (out, 'dir')
  mkdir (out);
end
shared = {};
for dir_name = {'gateway', 'support', 'specfun', 'complexbessel'}
  files = dir (fullfile (root, dir_name{1}, '*.cpp'));
  for k = 1:numel (files)
    if ~strcmp (files(k).name, 'entry.cpp') || ~strcmp (dir_name{1}, 'gateway')
      shared{end + 1} = fullfile (root, dir_name{1}, files(k).name); %#ok<AGROW>
    end
  end
end
flags = {'-R2017b', 'CXXFLAGS=$CXXFLAGS -std=c++20 -ffp-contract=off', ...
         ['-I' fullfile(root, 'include')], ['-I' fullfile(root, 'gateway')], '-outdir', out};
mex (flags{:}, '-output', 'qelms', fullfile (root, 'gateway', 'entry.cpp'), shared{:});
mex (flags{:}, '-output', 'qelmsv', fullfile (root, 'gateway', 'array', 'entry.cpp'), shared{:});
copyfile (fullfile (root, 'octave', 'help', '*.m'), out);
fprintf ('built qelms and qelmsv in %s\n', out);
