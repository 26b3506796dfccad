% Fresnel integrals and the complex exponential inside Octave.

[s, ifail] = qelms ('fresns', 1, 0);
expect_close (s, 0.4382591473903548, 2 * eps, 'fresns(1)');
expect_equal (ifail, 0, 'ifail of fresns(1)');
[c, ifail] = qelms ('fresnc', -5, -1);
expect_close (c, -0.5636311887040122, 2 * eps, 'fresnc(-5)');
[s, ifail] = qelms ('fresns', 4294967290, 1);
expect_equal ([s, ifail], [0.5, 0], 'fresns(4294967290)');
[c, ifail] = qelms ('fresnc', NaN, 0);
expect_equal ([isnan(c), ifail], [true, 0], 'fresnc(NaN)');

[w, ifail] = qelms ('zexpon', complex (1, pi / 2), 0);
expect_close (real (w), 1.6644675702013920e-16, 4 * eps, 'real of zexpon(1+pi/2 i)');
expect_close (imag (w), exp (1), 2 * eps, 'imag of zexpon(1+pi/2 i)');
expect_equal (ifail, 0, 'ifail of zexpon(1+pi/2 i)');
[w, ifail] = qelms ('zexpon', 709, 1);
expect_equal ([real(w), imag(w), ifail], [4.494232837155773e+307, 0, 1], 'zexpon(709) silent failure');
[w, ifail] = qelms ('zexpon', complex (0, 1e16), 1);
expect_equal ([w, ifail], [0, 5], 'zexpon(1e16 i)');

expect_messages ('[w, ifail] = qelms (''zexpon'', complex (800, 1), -1);', ...
  {' ** Argument Z causes overflow in both real and imaginary parts of result:', ...
   '    Z = (  8.00000D+02,  1.00000D+00)', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZEXPON: IFAIL =     3', ...
   ' ** QELM soft failure - control returned'});
expect_messages ('[w, ifail] = qelms (''zexpon'', complex (0, 1e8), 1);', {});
